#include "core/Format.h"

#include "core/DayNumber.h"

#include <QLocale>

#include <cmath>

namespace tavisko {

namespace {
// The locale's long time format without its time-zone fields ("HH:mm:ss t" in CLDR
// data): a wall clock's time has no zone.
QString longTimeFormat(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't') {
            while (out.endsWith(u' '))
                out.chop(1);
            continue;
        }
        out += c;
    }
    return out.trimmed();
}
}

QString formatDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid() || dateTime == fromDayNumber(0.0))
        return QString();
    const QLocale locale = QLocale::system();
    const QString date = locale.toString(dateTime.date(), QLocale::ShortFormat);
    if (dateTime.time() == QTime(0, 0))
        return date;
    return date + u' ' + locale.toString(dateTime.time(), longTimeFormat(locale));
}

QString formatLongTime(const QTime &time)
{
    const QLocale locale = QLocale::system();
    return locale.toString(time, longTimeFormat(locale));
}

QString formatNumber(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0.0

    // 'g' with 15 digits already picks fixed or scientific by the same exponent limits;
    // only the exponent is written the short way ("1E-5", not "1e-05").
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0) {
        QString exponent = text.mid(e + 1);
        const bool negative = exponent.startsWith(u'-');
        exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(u'0'))
            exponent.remove(0, 1);
        text = text.left(e) + u'E' + (negative ? QStringLiteral("-") : QString()) + exponent;
    }
    text.replace(u'.', QLocale::system().decimalPoint());
    return text;
}

QString formatLongDate(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::LongFormat);
}

} // namespace tavisko
