#include "core/BookingText.h"

namespace tavisko {

QStringList bookedLines(const QString &listText)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < listText.size(); ++i) {
        const QChar c = listText.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(listText.mid(start, i - start));
        if (c == u'\r' && i + 1 < listText.size() && listText.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < listText.size())
        lines.append(listText.mid(start));
    return lines;
}

namespace {

bool needsQuotes(const QString &line)
{
    for (const QChar c : line) {
        if (c.unicode() <= 32 || c == u'"' || c == u',')
            return true;
    }
    return false;
}

} // namespace

QString bookingText(const QString &listText)
{
    const QStringList lines = bookedLines(listText);
    if (lines.size() == 1 && lines.first().isEmpty())
        return QStringLiteral("\"\"");
    QStringList written;
    written.reserve(lines.size());
    for (const QString &line : lines) {
        if (needsQuotes(line))
            written.append(u'"' + QString(line).replace(u'"', QStringLiteral("\"\"")) + u'"');
        else
            written.append(line);
    }
    return written.join(u',');
}

} // namespace tavisko
