#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>

namespace tavisko {

class Dataset;

// A read-only table model over a dataset, one column per named field, titled with
// the field names. Whole table datasets and query datasets show all their rows. An
// on-demand table dataset (articles: hundreds of thousands of rows) shows a window
// of rows around its current record, fetched by key, which grows at either end when
// the view scrolls there (fetchMore at the end, fetchBefore at the start) and is
// laid anew around the current record when that moves outside it. Display values:
// texts as stored, numbers in the general number format of the locale, date-times
// in the short date and long time format. Borrows the dataset.
class DatasetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DatasetTableModel(Dataset *dataset, QStringList fieldNames, QObject *parent = nullptr);
    ~DatasetTableModel() override;

    Dataset *dataset() const { return m_dataset; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // On-demand datasets: prepends rows before the window's first row; false when
    // there are none.
    bool fetchBefore();
    // The model row of the dataset's current record (-1 when empty).
    int currentRow() const;
    // Makes the record at the model row the dataset's current record.
    void setCurrentRow(int row);

signals:
    // The dataset's current record moved to this model row.
    void currentRowChanged(int row);

private:
    struct Private;
    QVariant rowValue(int row, int column) const;
    void datasetReset();
    void datasetRowChanged(int row);
    void datasetCurrentChanged();
    void layWindow();

    std::unique_ptr<Private> d;
    Dataset *m_dataset;
    QStringList m_fieldNames;
};

} // namespace tavisko
