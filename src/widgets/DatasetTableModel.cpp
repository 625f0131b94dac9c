#include "widgets/DatasetTableModel.h"

#include "core/Format.h"
#include "db/DbError.h"
#include "db/QueryDataset.h"
#include "db/TableDataset.h"

namespace tavisko {

namespace {
// Rows read around the current record when the window is laid, and added at an end.
constexpr int windowHalf = 30;
constexpr int growth = 50;
}

struct DatasetTableModel::Private {
    TableDataset *table = nullptr;  // null for a query
    QueryDataset *query = nullptr;  // null for a table
    bool onDemand = false;
    QList<int> columns;             // field index of each model column
    QList<FieldKind> kinds;

    // On-demand only: the window of rows in key order, and whether it reaches the
    // table's first and last rows.
    QList<QVariantList> window;
    bool atStart = true;
    bool atEnd = true;

    int windowIndexOf(const QVariant &key) const
    {
        if (key.isNull())
            return -1;
        const int keyIndex = table->keyIndex();
        for (int i = 0; i < window.size(); ++i) {
            if (window.at(i).at(keyIndex) == key)
                return i;
        }
        return -1;
    }
};

DatasetTableModel::DatasetTableModel(Dataset *dataset, QStringList fieldNames, QObject *parent)
    : QAbstractTableModel(parent), d(std::make_unique<Private>()), m_dataset(dataset),
      m_fieldNames(std::move(fieldNames))
{
    d->table = qobject_cast<TableDataset *>(dataset);
    d->query = qobject_cast<QueryDataset *>(dataset);
    d->onDemand = d->table && d->table->fetchMode() == TableDataset::Fetch::OnDemand;
    for (const QString &name : std::as_const(m_fieldNames)) {
        const int index = dataset->fieldIndex(name);
        d->columns.append(index);
        d->kinds.append(dataset->fields().at(index).kind);
    }
    connect(dataset, &Dataset::reset, this, &DatasetTableModel::datasetReset);
    connect(dataset, &Dataset::rowChanged, this, &DatasetTableModel::datasetRowChanged);
    connect(dataset, &Dataset::currentChanged, this, &DatasetTableModel::datasetCurrentChanged);
    if (d->onDemand)
        layWindow();
}

DatasetTableModel::~DatasetTableModel() = default;

int DatasetTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (d->onDemand)
        return d->window.size();
    if (d->table)
        return d->table->rowCount();
    return d->query ? d->query->rowCount() : 0;
}

int DatasetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_fieldNames.size();
}

QVariant DatasetTableModel::rowValue(int row, int column) const
{
    const int field = d->columns.at(column);
    if (d->onDemand)
        return d->window.at(row).at(field);
    if (d->table)
        return d->table->rowValues(row).at(field);
    return d->query->rowValue(row, field);
}

QVariant DatasetTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const FieldKind kind = d->kinds.at(index.column());
    const bool numeric = kind == FieldKind::AutoInc || kind == FieldKind::Integer
        || kind == FieldKind::SmallInt || kind == FieldKind::Float;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(numeric ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter));
    if (role != Qt::DisplayRole)
        return QVariant();

    const QVariant value = rowValue(index.row(), index.column());
    if (value.isNull())
        return QString();
    switch (kind) {
    case FieldKind::Float:
        return formatNumber(value.toDouble());
    case FieldKind::Date:
        return formatDateTime(QDateTime(value.toDate(), QTime(0, 0)));
    case FieldKind::DateTime:
        return formatDateTime(value.toDateTime());
    case FieldKind::Blob:
        return QString();
    default:
        return value.toString();
    }
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_fieldNames.size())
        return m_fieldNames.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool DatasetTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && d->onDemand && !d->atEnd;
}

void DatasetTableModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent) || d->window.isEmpty())
        return;
    QList<QVariantList> rows;
    try {
        rows = d->table->fetchRows(d->window.last().at(d->table->keyIndex()), false, growth, false);
    } catch (const DbError &) {
        // Views call this while laying out; the next scroll to the end asks again.
        return;
    }
    d->atEnd = rows.size() < growth;
    if (rows.isEmpty())
        return;
    const int first = d->window.size();
    beginInsertRows(QModelIndex(), first, first + rows.size() - 1);
    d->window.append(rows);
    endInsertRows();
}

bool DatasetTableModel::fetchBefore()
{
    if (!d->onDemand || d->atStart || d->window.isEmpty())
        return false;
    QList<QVariantList> rows;
    try {
        rows = d->table->fetchRows(d->window.first().at(d->table->keyIndex()), true, growth, false);
    } catch (const DbError &) {
        return false;
    }
    d->atStart = rows.size() < growth;
    if (rows.isEmpty())
        return false;
    beginInsertRows(QModelIndex(), 0, rows.size() - 1);
    rows.append(d->window);
    d->window = std::move(rows);
    endInsertRows();
    return true;
}

int DatasetTableModel::currentRow() const
{
    if (d->onDemand)
        return d->windowIndexOf(d->table->currentKey());
    if (d->table)
        return d->table->isEmpty() ? -1 : d->table->currentRow();
    return d->query ? d->query->currentRow() : -1;
}

void DatasetTableModel::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount() || row == currentRow())
        return;
    // A record being edited is not left from a grid; its owner saves or cancels it.
    if (d->table && d->table->state() != TableDataset::State::Browse)
        return;
    if (d->onDemand)
        d->table->findNearest(d->window.at(row).at(d->table->keyIndex()));
    else if (d->table)
        d->table->setCurrentRow(row);
    else
        d->query->setCurrentRow(row);
}

void DatasetTableModel::layWindow()
{
    const QVariant key = d->table->isOpen() ? d->table->currentKey() : QVariant();
    QList<QVariantList> rows;
    bool atStart = true;
    bool atEnd = true;
    if (!key.isNull()) {
        rows = d->table->fetchRows(key, true, windowHalf, false);
        atStart = rows.size() < windowHalf;
        const QList<QVariantList> after = d->table->fetchRows(key, false, windowHalf, true);
        atEnd = after.size() < windowHalf;
        rows.append(after);
    }
    beginResetModel();
    d->window = std::move(rows);
    d->atStart = atStart;
    d->atEnd = atEnd;
    endResetModel();
}

void DatasetTableModel::datasetReset()
{
    if (d->onDemand) {
        layWindow();
        return;
    }
    beginResetModel();
    endResetModel();
}

void DatasetTableModel::datasetRowChanged(int row)
{
    if (d->onDemand) {
        // An on-demand dataset announces its current record, which it holds itself.
        const int index = d->windowIndexOf(d->table->currentKey());
        if (index < 0)
            return;
        QVariantList &values = d->window[index];
        for (int i = 0; i < values.size(); ++i)
            values[i] = d->table->value(d->table->fields().at(i).name);
        row = index;
    }
    if (row < 0 || row >= rowCount())
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DatasetTableModel::datasetCurrentChanged()
{
    if (d->onDemand && d->windowIndexOf(d->table->currentKey()) < 0)
        layWindow();
    emit currentRowChanged(currentRow());
}

} // namespace tavisko
