#pragma once

#include <QString>
#include <QStringList>

namespace tavisko {

// The lines of a booked list: its text split at line breaks (CR LF, CR or LF alone),
// where an empty piece after the last break is not a line. So "" has no lines and
// "\n" has one empty line.
QStringList bookedLines(const QString &listText);

// The booking text that accumulates in the employee's and the time line's
// Artikelnummer: the list's lines joined by commas, a line quoted (inner quotes
// doubled) when it holds a character with code 32 or lower, a double quote or a
// comma. A list of one empty line gives "" (two double quotes), a list without
// lines an empty text.
QString bookingText(const QString &listText);

} // namespace tavisko
