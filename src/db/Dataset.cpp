#include "db/Dataset.h"

#include "core/DayNumber.h"
#include "db/DbError.h"

namespace tavisko {

Dataset::Dataset(FieldList fields, QObject *parent)
    : QObject(parent), m_fields(std::move(fields))
{
}

int Dataset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw DbError(QStringLiteral("Field '%1' not found").arg(name));
}

QVariant Dataset::value(const QString &name) const
{
    const int i = fieldIndex(name);
    const QVariantList *values = currentValues();
    return values ? values->at(i) : QVariant();
}

bool Dataset::isNull(const QString &name) const
{
    return value(name).isNull();
}

int Dataset::asInteger(const QString &name) const
{
    const QVariant v = value(name);
    return v.isNull() ? 0 : v.toInt();
}

double Dataset::asFloat(const QString &name) const
{
    const QVariant v = value(name);
    return v.isNull() ? 0.0 : v.toDouble();
}

QString Dataset::asString(const QString &name) const
{
    const QVariant v = value(name);
    return v.isNull() ? QString() : v.toString();
}

QDateTime Dataset::asDateTime(const QString &name) const
{
    const QVariant v = value(name);
    if (v.isNull())
        return fromDayNumber(0.0);
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    const QDateTime dt = v.toDateTime();
    return dt.isValid() ? dt : fromDayNumber(0.0);
}

void Dataset::disableControls()
{
    ++m_disabled;
}

void Dataset::enableControls()
{
    if (m_disabled == 0 || --m_disabled > 0)
        return;
    if (m_pendingReset) {
        m_pendingReset = false;
        emit reset();
        emit currentChanged();
    }
}

void Dataset::notifyCurrentChanged()
{
    if (m_disabled > 0)
        m_pendingReset = true;
    else
        emit currentChanged();
}

void Dataset::notifyRowChanged(int row)
{
    if (m_disabled > 0)
        m_pendingReset = true;
    else
        emit rowChanged(row);
}

void Dataset::notifyReset()
{
    if (m_disabled > 0)
        m_pendingReset = true;
    else
        emit reset();
}

} // namespace tavisko
