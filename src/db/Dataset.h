#pragma once

#include "db/Field.h"

#include <QDateTime>
#include <QObject>
#include <QVariant>

namespace tavisko {

class DbError;

// What a table dataset and a query dataset have in common: declared fields, a
// current record read by field name, bof/eof, and change notifications that bound
// controls follow. Notifications can be suspended around a series of operations
// (disableControls/enableControls, nesting); one summary notification follows.
class Dataset : public QObject {
    Q_OBJECT
public:
    explicit Dataset(FieldList fields, QObject *parent = nullptr);

    const FieldList &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const; // throws DbError for an unknown name
    const Field &field(const QString &name) const { return m_fields.at(fieldIndex(name)); }

    virtual bool isOpen() const = 0;
    virtual bool isEmpty() const = 0;
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }

    // The current record's values; while editing or appending, the pending values.
    // Null reads as 0, empty text, or day number 0.
    QVariant value(const QString &name) const;
    bool isNull(const QString &name) const;
    int asInteger(const QString &name) const;
    double asFloat(const QString &name) const;
    QString asString(const QString &name) const;
    QDateTime asDateTime(const QString &name) const;

    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

signals:
    // The current record moved to another record.
    void currentChanged();
    // The values of row `row` (a position for whole datasets, -1 for the current
    // record of an on-demand dataset) changed in place.
    void rowChanged(int row);
    // The set of records changed: bound views read everything again.
    void reset();

protected:
    // The values shown for the current record, or nullptr when there is none.
    virtual const QVariantList *currentValues() const = 0;

    void notifyCurrentChanged();
    void notifyRowChanged(int row);
    void notifyReset();

    FieldList m_fields;
    bool m_bof = true;
    bool m_eof = true;

private:
    int m_disabled = 0;
    bool m_pendingReset = false;
};

} // namespace tavisko
