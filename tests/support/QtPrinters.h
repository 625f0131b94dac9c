#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

// Readable Qt values in test failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &value, std::ostream *out) { *out << '"' << value.toStdString() << '"'; }
inline void PrintTo(const QStringList &value, std::ostream *out)
{
    *out << '{' << value.join(QStringLiteral("\", \"")).prepend(u'"').append(u'"').toStdString() << '}';
}
inline void PrintTo(const QDateTime &value, std::ostream *out) { *out << value.toString(Qt::ISODateWithMs).toStdString(); }
inline void PrintTo(const QVariant &value, std::ostream *out)
{
    *out << value.typeName() << '(' << (value.isNull() ? std::string("null") : value.toString().toStdString()) << ')';
}
QT_END_NAMESPACE
