#include "db/QueryDataset.h"

#include "db/Database.h"
#include "db/DbError.h"

namespace tavisko {

namespace {
// The statement with every `:Name` outside quotes replaced by `?`, and the names in order.
QString toPositional(const QString &sql, QStringList *names)
{
    QString out;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            out += c;
        } else if (c == u'\'' || c == u'"' || c == u'`') {
            quote = c;
            out += c;
        } else if (c == u':' && i + 1 < sql.size() && (sql.at(i + 1).isLetter() || sql.at(i + 1) == u'_')) {
            int end = i + 1;
            while (end < sql.size() && (sql.at(end).isLetterOrNumber() || sql.at(end) == u'_'))
                ++end;
            if (names)
                names->append(sql.mid(i + 1, end - i - 1));
            out += u'?';
            i = end - 1;
        } else {
            out += c;
        }
    }
    return out;
}
}

QueryDataset::QueryDataset(Database &db, FieldList fields, QStringList sql, QObject *parent)
    : Dataset(std::move(fields), parent), m_db(db)
{
    setSql(sql);
}

void QueryDataset::setSql(const QStringList &lines)
{
    close();
    m_sql = lines;
    m_params = QVariantList(paramNames().size());
}

QStringList QueryDataset::paramNames() const
{
    QStringList names;
    toPositional(m_sql.join(u'\n'), &names);
    return names;
}

void QueryDataset::setParam(int position, const QVariant &value)
{
    if (position < 0 || position >= m_params.size())
        throw DbError(QStringLiteral("Parameter %1 out of range").arg(position));
    m_params[position] = value;
}

void QueryDataset::setParam(const QString &name, const QVariant &value)
{
    const QStringList names = paramNames();
    bool found = false;
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            m_params[i] = value;
            found = true;
        }
    }
    if (!found)
        throw DbError(QStringLiteral("Parameter '%1' not found").arg(name));
}

void QueryDataset::open()
{
    close();
    const SqlResult result = m_db.exec(toPositional(m_sql.join(u'\n'), nullptr), m_params);
    QList<int> columnOf;
    for (const Field &f : m_fields) {
        int column = -1;
        for (int c = 0; c < result.columns.size(); ++c) {
            if (result.columns.at(c).compare(f.name, Qt::CaseInsensitive) == 0) {
                column = c;
                break;
            }
        }
        columnOf.append(column);
    }
    m_rows.reserve(result.rows.size());
    for (const QVariantList &raw : result.rows) {
        QVariantList row(m_fields.size());
        for (int i = 0; i < columnOf.size(); ++i) {
            if (columnOf.at(i) >= 0)
                row[i] = raw.at(columnOf.at(i));
        }
        m_rows.append(std::move(row));
    }
    m_open = true;
    m_index = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    notifyReset();
    notifyCurrentChanged();
}

void QueryDataset::close()
{
    const bool wasOpen = m_open;
    m_open = false;
    m_rows.clear();
    m_index = -1;
    m_bof = m_eof = true;
    if (wasOpen)
        notifyReset();
}

const QVariantList *QueryDataset::currentValues() const
{
    return m_index >= 0 ? &m_rows.at(m_index) : nullptr;
}

void QueryDataset::setCurrentRow(int row)
{
    if (row < 0 || row >= m_rows.size() || row == m_index)
        return;
    m_index = row;
    m_bof = m_eof = false;
    notifyCurrentChanged();
}

void QueryDataset::first()
{
    if (m_rows.isEmpty())
        return;
    m_index = 0;
    m_bof = true;
    m_eof = false;
    notifyCurrentChanged();
}

void QueryDataset::last()
{
    if (m_rows.isEmpty())
        return;
    m_index = m_rows.size() - 1;
    m_eof = true;
    m_bof = false;
    notifyCurrentChanged();
}

void QueryDataset::next()
{
    if (m_index + 1 < m_rows.size()) {
        ++m_index;
        m_bof = false;
        notifyCurrentChanged();
    } else {
        m_eof = true;
    }
}

void QueryDataset::prior()
{
    if (m_index > 0) {
        --m_index;
        m_eof = false;
        notifyCurrentChanged();
    } else {
        m_bof = true;
    }
}

} // namespace tavisko
