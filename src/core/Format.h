#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace tavisko {

// How dates, times and numbers are shown on screen: in the formats of the system's
// locale (QLocale::system()), never in fixed ones.

// The short date, a blank and the long time ("2/03/2026 08:17:42" in nl_BE); only the
// date at exactly midnight. The long time leaves out the time zone, which the clock of
// a workshop never shows. An invalid date-time and day number 0 (30/12/1899 00:00:00,
// which is how an empty date column reads) give an empty text.
QString formatDateTime(const QDateTime &dateTime);

// The locale's long time, without the time zone ("08:17:42" in nl_BE).
QString formatLongTime(const QTime &time);

// The general number format: the shortest text that reads back as the value rounded
// to 15 significant digits, the locale's decimal separator, no thousands separators;
// scientific notation ("1,5E20", "1E-5") when the exponent is below -4 or 15 and more.
QString formatNumber(double value);

// The locale's long date ("maandag 2 maart 2026" in nl_BE).
QString formatLongDate(const QDate &date);

} // namespace tavisko
