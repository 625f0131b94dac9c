#pragma once

#include <QTableView>

namespace tavisko {

class DatasetTableModel;
struct DataSource;

// A read-only grid over a data source: whole rows selected, the current record's
// row highlighted also without focus and kept in view, a click making the clicked
// row's record current, column titles that do nothing when clicked. Owns its model.
class DbGrid : public QTableView {
    Q_OBJECT
public:
    DbGrid(const DataSource &source, const QStringList &fieldNames, QWidget *parent = nullptr);

    DatasetTableModel *datasetModel() const { return m_model; }
    // Sets the width in pixels of the column of a field.
    void setFieldWidth(const QString &fieldName, int width);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showCurrent();
    void followView(const QModelIndex &current);
    void fetchAtTop();

    DatasetTableModel *m_model;
    QStringList m_fieldNames;
    bool m_following = false; // the view is being moved to the dataset, not by the user
};

} // namespace tavisko
