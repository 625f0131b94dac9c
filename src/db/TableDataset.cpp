#include "db/TableDataset.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QStringList>

namespace tavisko {

TableDataset::TableDataset(Database &db, QString table, FieldList fields, QString keyField,
                           Fetch fetch, QObject *parent)
    : Dataset(std::move(fields), parent), m_db(db), m_table(std::move(table)),
      m_keyField(std::move(keyField)), m_fetch(fetch)
{
    m_keyIndex = fieldIndex(m_keyField);
}

QString TableDataset::selectList() const
{
    QStringList columns;
    for (const Field &f : m_fields)
        columns << (f.kind == FieldKind::Blob ? QStringLiteral("NULL") : quoteName(f.name));
    return columns.join(QStringLiteral(", "));
}

QList<QVariantList> TableDataset::select(const QString &where, const QVariantList &params,
                                         const QString &order, int limit) const
{
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(selectList(), quoteName(m_table));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY %1 %2").arg(quoteName(m_keyField), order);
    if (limit > 0)
        sql += QStringLiteral(" LIMIT %1").arg(limit);
    return m_db.exec(sql, params).rows;
}

void TableDataset::open()
{
    if (isOpen())
        return;
    m_state = State::Browse;
    try {
        if (m_fetch == Fetch::Whole)
            loadWhole();
        first();
    } catch (...) {
        m_state = State::Inactive;
        throw;
    }
    notifyReset();
}

void TableDataset::close()
{
    m_state = State::Inactive;
    m_rows.clear();
    clearCurrent();
    notifyReset();
}

void TableDataset::loadWhole()
{
    m_rows = select(QString(), {}, QStringLiteral("ASC"), 0);
}

void TableDataset::clearCurrent()
{
    m_current.clear();
    m_hasCurrent = false;
    m_index = -1;
    m_bof = m_eof = true;
}

void TableDataset::setCurrent(const QVariantList &values)
{
    m_current = values;
    m_hasCurrent = true;
}

const QVariantList *TableDataset::currentValues() const
{
    if (m_state == State::Edit || m_state == State::Insert)
        return &m_buffer;
    return m_hasCurrent ? &m_current : nullptr;
}

QVariant TableDataset::currentKey() const
{
    return m_hasCurrent ? m_current.at(m_keyIndex) : QVariant();
}

void TableDataset::requireState(State state, const char *operation) const
{
    if (m_state != state)
        throw DbError(QStringLiteral("%1: cannot %2 in this state").arg(m_table, QLatin1String(operation)));
}

bool TableDataset::fetchOne(const QString &where, const QVariantList &params, bool descending)
{
    const QList<QVariantList> rows = select(where, params, descending ? QStringLiteral("DESC") : QStringLiteral("ASC"), 1);
    if (rows.isEmpty())
        return false;
    setCurrent(rows.first());
    return true;
}

void TableDataset::first()
{
    requireState(State::Browse, "move");
    if (m_fetch == Fetch::Whole) {
        if (m_rows.isEmpty()) {
            clearCurrent();
        } else {
            m_index = 0;
            setCurrent(m_rows.first());
        }
    } else if (!fetchOne(QString(), {}, false)) {
        clearCurrent();
    }
    m_bof = true;
    m_eof = !m_hasCurrent;
    notifyCurrentChanged();
}

void TableDataset::last()
{
    requireState(State::Browse, "move");
    if (m_fetch == Fetch::Whole) {
        if (m_rows.isEmpty()) {
            clearCurrent();
        } else {
            m_index = m_rows.size() - 1;
            setCurrent(m_rows.last());
        }
    } else if (!fetchOne(QString(), {}, true)) {
        clearCurrent();
    }
    m_eof = true;
    m_bof = !m_hasCurrent;
    notifyCurrentChanged();
}

void TableDataset::next()
{
    requireState(State::Browse, "move");
    if (!m_hasCurrent)
        return;
    bool moved;
    if (m_fetch == Fetch::Whole) {
        moved = m_index + 1 < m_rows.size();
        if (moved)
            setCurrent(m_rows.at(++m_index));
    } else {
        moved = fetchOne(QStringLiteral("%1 > ?").arg(quoteName(m_keyField)), {currentKey()}, false);
    }
    m_bof = false;
    m_eof = !moved;
    if (moved)
        notifyCurrentChanged();
}

void TableDataset::prior()
{
    requireState(State::Browse, "move");
    if (!m_hasCurrent)
        return;
    bool moved;
    if (m_fetch == Fetch::Whole) {
        moved = m_index > 0;
        if (moved)
            setCurrent(m_rows.at(--m_index));
    } else {
        moved = fetchOne(QStringLiteral("%1 < ?").arg(quoteName(m_keyField)), {currentKey()}, true);
    }
    m_eof = false;
    m_bof = !moved;
    if (moved)
        notifyCurrentChanged();
}

void TableDataset::setCurrentRow(int row)
{
    requireState(State::Browse, "move");
    if (m_fetch != Fetch::Whole || row < 0 || row >= m_rows.size() || row == m_index)
        return;
    m_index = row;
    setCurrent(m_rows.at(row));
    m_bof = m_eof = false;
    notifyCurrentChanged();
}

int TableDataset::indexOfKey(const QVariant &key) const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).at(m_keyIndex) == key)
            return i;
    }
    return -1;
}

bool TableDataset::locate(const QString &fieldName, const QVariant &value)
{
    requireState(State::Browse, "move");
    const int column = fieldIndex(fieldName);
    if (m_fetch == Fetch::Whole) {
        for (int i = 0; i < m_rows.size(); ++i) {
            if (m_rows.at(i).at(column) == value) {
                m_index = i;
                setCurrent(m_rows.at(i));
                m_bof = m_eof = false;
                notifyCurrentChanged();
                return true;
            }
        }
        return false;
    }
    const QList<QVariantList> rows = select(QStringLiteral("%1 = ?").arg(quoteName(fieldName)),
                                            {valueForWrite(m_fields.at(column), value)}, QStringLiteral("ASC"), 1);
    if (rows.isEmpty())
        return false;
    setCurrent(rows.first());
    m_bof = m_eof = false;
    notifyCurrentChanged();
    return true;
}

void TableDataset::findNearest(const QVariant &key)
{
    requireState(State::Browse, "move");
    // Every key is >= nothing; the server would compare with NULL and find none.
    if (key.isNull()) {
        first();
        return;
    }
    const QString keyName = quoteName(m_keyField);
    if (m_fetch == Fetch::Whole) {
        const SqlResult found = m_db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %1 >= ? ORDER BY %1 LIMIT 1")
                                              .arg(keyName, quoteName(m_table)), {key});
        const int row = found.rows.isEmpty() ? m_rows.size() - 1 : indexOfKey(found.rows.first().first());
        if (row >= 0) {
            m_index = row;
            setCurrent(m_rows.at(row));
            m_bof = m_eof = false;
        }
    } else if (!fetchOne(QStringLiteral("%1 >= ?").arg(keyName), {key}, false)) {
        last();
        return;
    } else {
        m_bof = m_eof = false;
    }
    notifyCurrentChanged();
}

void TableDataset::refresh()
{
    requireState(State::Browse, "refresh");
    const QVariant key = currentKey();
    if (m_fetch == Fetch::OnDemand) {
        if (!m_hasCurrent || !fetchOne(QStringLiteral("%1 >= ?").arg(quoteName(m_keyField)), {key}, false)) {
            if (!fetchOne(QString(), {}, true))
                clearCurrent();
        }
        notifyReset();
        notifyCurrentChanged();
        return;
    }

    QList<QVariantList> rows = select(QString(), {}, QStringLiteral("ASC"), 0);
    bool sameKeys = rows.size() == m_rows.size();
    for (int i = 0; sameKeys && i < rows.size(); ++i)
        sameKeys = rows.at(i).at(m_keyIndex) == m_rows.at(i).at(m_keyIndex);

    if (sameKeys) {
        // The usual one-second reload: only rows whose values differ are announced,
        // so views repaint what another terminal changed and nothing else.
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i) != m_rows.at(i)) {
                m_rows[i] = rows.at(i);
                if (i == m_index)
                    setCurrent(rows.at(i));
                notifyRowChanged(i);
            }
        }
        return;
    }

    const int oldIndex = m_index;
    m_rows = std::move(rows);
    int row = m_hasCurrent ? indexOfKey(key) : -1;
    if (row < 0 && !m_rows.isEmpty())
        row = qBound(0, oldIndex, int(m_rows.size()) - 1);
    if (row < 0) {
        clearCurrent();
    } else {
        m_index = row;
        setCurrent(m_rows.at(row));
        m_bof = m_eof = false;
    }
    notifyReset();
    notifyCurrentChanged();
}

void TableDataset::edit()
{
    requireState(State::Browse, "edit");
    if (!m_hasCurrent)
        throw DbError(QStringLiteral("%1: no current record to edit").arg(m_table));
    m_buffer = m_current;
    m_state = State::Edit;
}

void TableDataset::append()
{
    requireState(State::Browse, "append");
    m_buffer = QVariantList(m_fields.size());
    m_state = State::Insert;
}

void TableDataset::setValue(const QString &name, const QVariant &value)
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw DbError(QStringLiteral("%1: not in edit or insert mode").arg(m_table));
    const int i = fieldIndex(name);
    m_buffer[i] = valueForWrite(m_fields.at(i), value);
}

bool TableDataset::post(const Expectations &expect)
{
    if (m_state == State::Edit) {
        QStringList assignments;
        QVariantList params;
        for (int i = 0; i < m_fields.size(); ++i) {
            const bool changed = m_buffer.at(i).isNull() != m_current.at(i).isNull() || m_buffer.at(i) != m_current.at(i);
            if (changed) {
                assignments << quoteName(m_fields.at(i).name) + QStringLiteral(" = ?");
                params << m_buffer.at(i);
            }
        }
        if (assignments.isEmpty() && expect.isEmpty()) {
            m_state = State::Browse;
            return true;
        }
        if (assignments.isEmpty())
            assignments << quoteName(m_keyField) + QStringLiteral(" = ") + quoteName(m_keyField);
        QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                          .arg(quoteName(m_table), assignments.join(QStringLiteral(", ")), quoteName(m_keyField));
        params << m_current.at(m_keyIndex);
        for (const auto &[name, expected] : expect) {
            sql += QStringLiteral(" AND %1 <=> ?").arg(quoteName(name));
            params << valueForWrite(field(name), expected);
        }
        const SqlResult result = m_db.exec(sql, params);
        if (!expect.isEmpty() && result.rowsAffected == 0) {
            cancel();
            return false;
        }
        // Blob fields are not held with the rows, whatever was written to them.
        for (int i = 0; i < m_fields.size(); ++i) {
            if (m_fields.at(i).kind == FieldKind::Blob)
                m_buffer[i] = QVariant();
        }
        m_state = State::Browse;
        setCurrent(m_buffer);
        if (m_fetch == Fetch::Whole)
            m_rows[m_index] = m_buffer;
        notifyRowChanged(m_fetch == Fetch::Whole ? m_index : -1);
        return true;
    }

    requireState(State::Insert, "post");
    QStringList columns;
    QStringList marks;
    QVariantList params;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_buffer.at(i).isNull())
            continue;
        columns << quoteName(m_fields.at(i).name);
        marks << QStringLiteral("?");
        params << m_buffer.at(i);
    }
    const QString sql = columns.isEmpty()
        ? QStringLiteral("INSERT INTO %1 () VALUES ()").arg(quoteName(m_table))
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(quoteName(m_table), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    const SqlResult result = m_db.exec(sql, params);
    if (m_fields.at(m_keyIndex).kind == FieldKind::AutoInc && m_buffer.at(m_keyIndex).isNull())
        m_buffer[m_keyIndex] = result.lastInsertId.toInt();
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).kind == FieldKind::Blob)
            m_buffer[i] = QVariant();
    }
    m_state = State::Browse;
    if (m_fetch == Fetch::Whole) {
        // Text keys sort by the server's collation, which only the server knows.
        if (m_fields.at(m_keyIndex).kind == FieldKind::AutoInc) {
            m_rows.append(m_buffer);
            m_index = m_rows.size() - 1;
            setCurrent(m_buffer);
        } else {
            const QVariant key = m_buffer.at(m_keyIndex);
            loadWhole();
            m_index = qMax(0, indexOfKey(key));
            setCurrent(m_rows.at(m_index));
        }
    } else {
        setCurrent(m_buffer);
    }
    m_bof = m_eof = false;
    notifyReset();
    notifyCurrentChanged();
    return true;
}

void TableDataset::cancel()
{
    if (m_state == State::Edit || m_state == State::Insert)
        m_state = State::Browse;
    m_buffer.clear();
}

QByteArray TableDataset::blob(const QString &name) const
{
    if (!m_hasCurrent)
        return {};
    const SqlResult result = m_db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                           .arg(quoteName(field(name).name), quoteName(m_table), quoteName(m_keyField)),
                                       {currentKey()});
    return result.rows.isEmpty() ? QByteArray() : result.rows.first().first().toByteArray();
}

QList<QVariantList> TableDataset::fetchRows(const QVariant &fromKey, bool backwards, int count, bool inclusive) const
{
    const QString op = backwards ? (inclusive ? QStringLiteral("<=") : QStringLiteral("<"))
                                 : (inclusive ? QStringLiteral(">=") : QStringLiteral(">"));
    const QString where = fromKey.isNull() ? QString() : QStringLiteral("%1 %2 ?").arg(quoteName(m_keyField), op);
    QList<QVariantList> rows = select(where, fromKey.isNull() ? QVariantList{} : QVariantList{fromKey},
                                      backwards ? QStringLiteral("DESC") : QStringLiteral("ASC"), count);
    if (backwards)
        std::reverse(rows.begin(), rows.end());
    return rows;
}

} // namespace tavisko
