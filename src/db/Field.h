#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace tavisko {

enum class FieldKind { AutoInc, Integer, SmallInt, Float, Text, Memo, Date, DateTime, Blob };

// One declared column of a dataset. Sizes are in characters and come from these
// declarations, never from the driver, which reports bytes.
struct Field {
    QString name;
    FieldKind kind = FieldKind::Text;
    int size = 0;
    bool required = false;
};

using FieldList = QList<Field>;

// The value as the database must receive it: a text cut to its size, a date-time
// cut to the whole second (MariaDB truncates fractions and MySQL 8 rounds them; we
// send whole seconds so both store the same), a number of the field's kind.
QVariant valueForWrite(const Field &field, const QVariant &value);

// Backtick-quoted identifier: every table and column name is quoted, so `Default`
// and the names' letter case reach the server as they are.
QString quoteName(const QString &name);

} // namespace tavisko
