#include "data/Schema.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QFile>
#include <QRegularExpression>

namespace tavisko {

void applySchema(Database &db)
{
    QFile file(QStringLiteral(":/tavisko/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("The schema is missing from the program."));
    QString sql = QString::fromUtf8(file.readAll());
    sql.remove(QRegularExpression(QStringLiteral("^--[^\n]*\n"), QRegularExpression::MultilineOption));
    for (const QString &statement : sql.split(QStringLiteral(";\n"), Qt::SkipEmptyParts)) {
        if (!statement.trimmed().isEmpty())
            db.exec(statement.trimmed());
    }
}

} // namespace tavisko
