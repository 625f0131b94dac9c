#include "db/Field.h"

#include "core/DayNumber.h"
#include "core/Text.h"

#include <QDateTime>

namespace tavisko {

QVariant valueForWrite(const Field &field, const QVariant &value)
{
    if (value.isNull())
        return QVariant();
    switch (field.kind) {
    case FieldKind::AutoInc:
    case FieldKind::Integer:
    case FieldKind::SmallInt:
        return value.toInt();
    case FieldKind::Float:
        return value.toDouble();
    case FieldKind::Text:
        return field.size > 0 ? cutToChars(value.toString(), field.size) : value.toString();
    case FieldKind::Memo:
        return value.toString();
    case FieldKind::Date:
        return value.toDate();
    case FieldKind::DateTime:
        return toWholeSecond(value.toDateTime());
    case FieldKind::Blob:
        return value.toByteArray();
    }
    return value;
}

QString quoteName(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'`', QStringLiteral("``"));
    return u'`' + quoted + u'`';
}

} // namespace tavisko
