#pragma once

#include <QDateTime>

namespace tavisko {

// Date-times as day numbers: whole days since 30 December 1899 with the time of day
// as the fraction (a day is 1.0). The stored values and the worked-time arithmetic
// use this form. Date-times are naive local times: no time zone takes part, so a
// stint over a change to or from summer time counts the clock's own hours.
double toDayNumber(const QDateTime &dateTime);
QDateTime fromDayNumber(double dayNumber);

// The same instant with its fraction of a second dropped, as the database stores it.
QDateTime toWholeSecond(const QDateTime &dateTime);

} // namespace tavisko
