#pragma once

#include "db/Dataset.h"

#include <QStringList>

namespace tavisko {

class Database;

// A statement written as a list of text lines (joined with line breaks) with
// `:Name` parameters, bound by position as text or integer; open runs it and holds
// the whole result, whose columns are matched to the declared fields by name.
class QueryDataset : public Dataset {
    Q_OBJECT
public:
    QueryDataset(Database &db, FieldList fields, QStringList sql, QObject *parent = nullptr);

    const QStringList &sql() const { return m_sql; }
    // Replacing the statement closes the dataset and forgets the parameter values.
    void setSql(const QStringList &lines);
    // Parameter names in the order they stand in the statement.
    QStringList paramNames() const;
    void setParam(int position, const QVariant &value);
    void setParam(const QString &name, const QVariant &value);

    void open();
    void close();
    bool isOpen() const override { return m_open; }
    bool isEmpty() const override { return m_rows.isEmpty(); }

    int rowCount() const { return m_rows.size(); }
    int currentRow() const { return m_index; }
    void setCurrentRow(int row);
    void first();
    void last();
    void next();
    void prior();

    // A bookmark is a position in the held result, valid until the next open.
    int bookmark() const { return m_index; }
    void gotoBookmark(int bookmark) { setCurrentRow(bookmark); }

    // The held row's value of a declared field, for views and reports.
    QVariant rowValue(int row, int fieldIndex) const { return m_rows.at(row).at(fieldIndex); }

protected:
    const QVariantList *currentValues() const override;

private:
    Database &m_db;
    QStringList m_sql;
    QVariantList m_params;
    QList<QVariantList> m_rows;
    int m_index = -1;
    bool m_open = false;
};

} // namespace tavisko
