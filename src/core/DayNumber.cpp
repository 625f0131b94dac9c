#include "core/DayNumber.h"

#include <cmath>

namespace tavisko {

namespace {
const qint64 epochJulianDay = QDate(1899, 12, 30).toJulianDay();
constexpr double msecsPerDay = 86400000.0;
}

double toDayNumber(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return 0.0;
    const double days = double(dateTime.date().toJulianDay() - epochJulianDay);
    return days + dateTime.time().msecsSinceStartOfDay() / msecsPerDay;
}

QDateTime fromDayNumber(double dayNumber)
{
    double whole = std::floor(dayNumber);
    qint64 msecs = std::llround((dayNumber - whole) * msecsPerDay);
    if (msecs >= qint64(msecsPerDay)) {
        whole += 1.0;
        msecs -= qint64(msecsPerDay);
    }
    return QDateTime(QDate::fromJulianDay(epochJulianDay + qint64(whole)),
                     QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

QDateTime toWholeSecond(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return dateTime;
    const QTime t = dateTime.time();
    return QDateTime(dateTime.date(), QTime(t.hour(), t.minute(), t.second()));
}

} // namespace tavisko
