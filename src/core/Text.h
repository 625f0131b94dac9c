#pragma once

#include <QString>

namespace tavisko {

// The text with every space, full stop, hyphen, comma, underscore and apostrophe
// removed; every other character stays, in its order and letter case.
QString DelTekens(const QString &text);

// The text cut to at most maxChars characters (Unicode code points, as the server
// counts a column's size), never splitting a surrogate pair.
QString cutToChars(const QString &text, int maxChars);

// The text with the letters a to z turned to capitals and nothing else changed:
// how a typed password is compared with the stored one.
QString upperCaseAZ(const QString &text);

} // namespace tavisko
