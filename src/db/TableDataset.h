#pragma once

#include "db/Dataset.h"

#include <QHash>
#include <QList>
#include <QPair>

namespace tavisko {

class Database;

// A cursor over one table in the order of its key, with a current record that can be
// edited in place or appended to, and saved by key.
//
// Two ways of holding rows, chosen per table: Whole reads every row at open and at
// each refresh (employees, projects, categories: few rows); OnDemand holds only the
// current record and fetches each record it moves to by key (time lines, articles:
// rows that grow without end), so that opening, a move and a refresh cost the same
// whatever the table's size. Blob fields are never read with the rows; blob()
// fetches the current record's value when something shows it.
class TableDataset : public Dataset {
    Q_OBJECT
public:
    enum class Fetch { Whole, OnDemand };
    enum class State { Inactive, Browse, Edit, Insert };
    using Expectations = QList<QPair<QString, QVariant>>;

    TableDataset(Database &db, QString table, FieldList fields, QString keyField,
                 Fetch fetch, QObject *parent = nullptr);

    const QString &tableName() const { return m_table; }
    const QString &keyField() const { return m_keyField; }
    Fetch fetchMode() const { return m_fetch; }
    State state() const { return m_state; }

    void open();
    void close();
    bool isOpen() const override { return m_state != State::Inactive; }
    bool isEmpty() const override { return !m_hasCurrent; }

    void first();
    void last();
    void next();
    void prior();
    // Exact match of one field's value; false (and no move) when no record has it.
    bool locate(const QString &fieldName, const QVariant &value);
    // The first record whose key is >= key in the server's collation and order, or
    // the last record when every key is smaller.
    void findNearest(const QVariant &key);
    // Reads the rows again from the server and keeps the current record by its key;
    // when that record is gone, the record after it (or the last) becomes current.
    void refresh();

    void edit();
    void append();
    void setValue(const QString &name, const QVariant &value);
    // Saves the pending change: an edit writes only the changed columns, by key; an
    // append inserts and reads back an auto-increment key. `expect` makes an edit
    // conditional on the stored values of other columns (the optimistic check of a
    // stop); when no row matched, the edit is cancelled and post returns false.
    bool post(const Expectations &expect = {});
    void cancel();

    // The current record's value of a blob field, read from the server.
    QByteArray blob(const QString &name) const;

    // Whole datasets: the rows in key order, for views that show all of them.
    int rowCount() const { return m_rows.size(); }
    const QVariantList &rowValues(int row) const { return m_rows.at(row); }
    int currentRow() const { return m_index; }
    void setCurrentRow(int row);

    // On-demand datasets: up to `count` rows after (or, with backwards, before) the
    // given key in key order, read without moving the current record; for views
    // that page through a large table.
    QList<QVariantList> fetchRows(const QVariant &fromKey, bool backwards, int count, bool inclusive) const;
    QVariant currentKey() const;
    int keyIndex() const { return m_keyIndex; }

protected:
    const QVariantList *currentValues() const override;

private:
    QString selectList() const;
    QList<QVariantList> select(const QString &where, const QVariantList &params,
                               const QString &order, int limit) const;
    bool fetchOne(const QString &where, const QVariantList &params, bool descending);
    void setCurrent(const QVariantList &values);
    void clearCurrent();
    void requireState(State state, const char *operation) const;
    void loadWhole();
    int indexOfKey(const QVariant &key) const;

    Database &m_db;
    QString m_table;
    QString m_keyField;
    int m_keyIndex = 0;
    Fetch m_fetch;
    State m_state = State::Inactive;

    QList<QVariantList> m_rows; // Whole: every row in key order
    int m_index = -1;           // Whole: position of the current record
    QVariantList m_current;     // the current record's values
    bool m_hasCurrent = false;
    QVariantList m_buffer;      // pending values while editing or appending
};

} // namespace tavisko
