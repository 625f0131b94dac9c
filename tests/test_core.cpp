// Pure rules: worked time, day numbers, text rules, formats of the locale.
#include "core/BookingText.h"
#include "core/DayNumber.h"
#include "core/Format.h"
#include "core/Text.h"
#include "core/WorkedTime.h"

#include <gtest/gtest.h>

using namespace tavisko;

TEST(WorkedTime, HoursFromSecondsRoundInExtendedPrecisionTiesToEven)
{
    const struct { double seconds; double hours; } cases[] = {
        {18, 0.00},   // 0.5 hundredth rounds to even 0
        {54, 0.02},   // 1.5 rounds to 2
        {90, 0.02},   // 2.5 rounds to 2
        {126, 0.04},
        {162, 0.04},
        {1062, 0.29}, // just below 29.5 in extended precision (double would give 0.30)
        {1063, 0.30},
        {3600, 1.00},
        {0, 0.00},
        {17, 0.00},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(workedHours(c.seconds), c.hours) << c.seconds << " s";
}

TEST(WorkedTime, SecondsBetweenDayNumbersRoundToNearest)
{
    const QDate day(2026, 3, 2);
    const double start = toDayNumber(QDateTime(day, QTime(8, 0, 0)));
    EXPECT_EQ(workedSeconds(start, toDayNumber(QDateTime(day, QTime(8, 17, 42, 600)))), 1063);
    EXPECT_EQ(workedSeconds(start, toDayNumber(QDateTime(day, QTime(8, 17, 42, 200)))), 1062);
    EXPECT_EQ(workedSeconds(start, start), 0);
    // A stint over midnight counts across the day boundary.
    EXPECT_EQ(workedSeconds(toDayNumber(QDateTime(day, QTime(23, 30))), toDayNumber(QDateTime(day.addDays(1), QTime(0, 30)))), 3600);
}

TEST(DayNumber, CountsDaysFromTheEndOf1899)
{
    EXPECT_DOUBLE_EQ(toDayNumber(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(toDayNumber(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    EXPECT_EQ(fromDayNumber(0.0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    const QDateTime t(QDate(2026, 12, 11), QTime(17, 58, 34, 250));
    EXPECT_EQ(fromDayNumber(toDayNumber(t)), t);
    EXPECT_EQ(toWholeSecond(QDateTime(QDate(2026, 1, 5), QTime(8, 15, 42, 900))), QDateTime(QDate(2026, 1, 5), QTime(8, 15, 42)));
}

TEST(Text, DelTekensRemovesTheSixSeparatorsOnly)
{
    const struct { const char *in; const char *out; } cases[] = {
        {"Jan's Garage - N.V.", "JansGarageNV"},
        {"A_B,C", "ABC"},
        {"Ölçü 5/3", "Ölçü5/3"},
        {" .-,_'", ""},
        {"", ""},
        {"Van Acker & Zonen", "VanAcker&Zonen"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DelTekens(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(Text, CutToCharsCountsCodePoints)
{
    EXPECT_EQ(cutToChars(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
    EXPECT_EQ(cutToChars(QStringLiteral("abc"), 4), QStringLiteral("abc"));
    EXPECT_EQ(cutToChars(QStringLiteral("Zoë Dubois"), 3), QStringLiteral("Zoë"));
    // An emoji is one character to the server though two UTF-16 units here.
    const QString emoji = QString::fromUtf8("a\U0001F600b");
    EXPECT_EQ(cutToChars(emoji, 2), QString::fromUtf8("a\U0001F600"));
    EXPECT_EQ(cutToChars(emoji, 1), QStringLiteral("a"));
}

TEST(BookingText, QuotesLinesWithSpacesCommasAndQuotes)
{
    const struct { const char *list; const char *booking; } cases[] = {
        // what the article search holds: one empty line, then the added lines
        {"\n", "\"\""},
        {"\n2;AB-100;Rubber ring\n1;X7;Bolt\n", ",\"2;AB-100;Rubber ring\",1;X7;Bolt"},
        {"\n1;X7;Bolt\n1;X7;Bolt\n", ",1;X7;Bolt,1;X7;Bolt"},
        {"\n1;K1;Kabel,rood\n", ",\"1;K1;Kabel,rood\""},
        {"\n1;K1;Kabel, rood\n", ",\"1;K1;Kabel, rood\""},
        {"\n1;K2;Slang 3/4\" \"extra\"\n", ",\"1;K2;Slang 3/4\"\" \"\"extra\"\"\""},
        {"\n;X7;Bolt\n", ",;X7;Bolt"},
        {"\ntwee;X7;Bolt\n", ",twee;X7;Bolt"},
        {"\n1;X7;Tab\there\n", ",\"1;X7;Tab\there\""},
        // no lines at all
        {"", ""},
        // a last line without a line break still counts, an empty piece after the
        // last break does not
        {"\n1;X7;Bolt", ",1;X7;Bolt"},
        {"1;X7;Bolt", "1;X7;Bolt"},
        {"\n\n", ","},
        {"\n\n1;X7;Bolt\n", ",,1;X7;Bolt"},
        {"a\r\nb\rc\n", "a,b,c"},
        {"\r\n", "\"\""},
        {"\"", "\"\"\"\""},
        {"Ölçü;É", "Ölçü;É"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(bookingText(QString::fromUtf8(c.list)), QString::fromUtf8(c.booking)) << c.list;
}

// The tests run under nl_BE: d/MM/yyyy, HH:mm:ss, decimal comma.
TEST(Format, DateTimeIsShortDateAndLongTimeWithoutTimeAtMidnight)
{
    const QDate day(2026, 3, 2);
    const struct { QDateTime value; const char *text; } cases[] = {
        {QDateTime(day, QTime(8, 17, 42)), "2/03/2026 08:17:42"},
        {QDateTime(day, QTime(0, 0)), "2/03/2026"},
        {QDateTime(day, QTime(0, 0, 1)), "2/03/2026 00:00:01"},
        {QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), "31/12/2026 23:59:59"},
        {QDateTime(), ""},
        {fromDayNumber(0.0), ""},         // how an empty date column reads
        {fromDayNumber(0.5), "30/12/1899 12:00:00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatDateTime(c.value), QString::fromUtf8(c.text)) << c.text;
    EXPECT_EQ(formatLongDate(day), QStringLiteral("maandag 2 maart 2026"));
    EXPECT_EQ(formatLongTime(QTime(8, 5, 9)), QStringLiteral("08:05:09"));
}

TEST(Format, NumberIsShortestWithFifteenDigitsAndDecimalComma)
{
    const struct { double value; const char *text; } cases[] = {
        {0, "0"}, {-0.0, "0"}, {1063, "1063"}, {0.3, "0,3"}, {0.1 + 0.2, "0,3"}, {-2.75, "-2,75"},
        {1234567.25, "1234567,25"}, {1.0 / 3, "0,333333333333333"}, {2.0 / 3, "0,666666666666667"},
        {123456789012345, "123456789012345"}, {1e15, "1E15"}, {1.5e20, "1,5E20"},
        {0.0001, "0,0001"}, {0.00001, "1E-5"}, {-1.25e-7, "-1,25E-7"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatNumber(c.value), QString::fromUtf8(c.text)) << c.text;
}
