#include "core/Text.h"

namespace tavisko {

QString DelTekens(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u' ': case u'.': case u'-': case u',': case u'_': case u'\'':
            break;
        default:
            result.append(c);
        }
    }
    return result;
}

QString cutToChars(const QString &text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    qsizetype pos = 0;
    for (int n = 0; n < maxChars && pos < text.size(); ++n)
        pos += (text.at(pos).isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
    return text.left(pos);
}

QString upperCaseAZ(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return result;
}

} // namespace tavisko
