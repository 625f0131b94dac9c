#include "widgets/DbGrid.h"

#include "db/DataSource.h"
#include "db/DbError.h"
#include "widgets/DatasetTableModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace tavisko {

DbGrid::DbGrid(const DataSource &source, const QStringList &fieldNames, QWidget *parent)
    : QTableView(parent), m_model(new DatasetTableModel(source.dataset, fieldNames, this)), m_fieldNames(fieldNames)
{
    setModel(m_model);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    // One scroll step is one row, so that the scroll position names the top row and
    // rows added above can be scrolled past exactly.
    setVerticalScrollMode(ScrollPerItem);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);

    // The current record stays visible as such while another control has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);

    connect(m_model, &DatasetTableModel::currentRowChanged, this, &DbGrid::showCurrent);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DbGrid::showCurrent);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DbGrid::followView);
    // Queued: a reset moves the scroll bar to the top before the grid scrolls to the
    // current row; only a top that stays reached asks for earlier rows.
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, this, &DbGrid::fetchAtTop, Qt::QueuedConnection);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &DbGrid::fetchAtTop, Qt::QueuedConnection);
    showCurrent();
}

void DbGrid::setFieldWidth(const QString &fieldName, int width)
{
    const int column = m_fieldNames.indexOf(fieldName);
    if (column >= 0)
        setColumnWidth(column, width);
}

void DbGrid::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    showCurrent();
}

void DbGrid::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp) && currentIndex().row() == 0)
        fetchAtTop();
    QTableView::keyPressEvent(event);
}

void DbGrid::showCurrent()
{
    const QScopedValueRollback following(m_following, true);
    const int row = m_model->currentRow();
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(row, qMax(0, currentIndex().column()));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    executeDelayedItemsLayout();
    scrollTo(index);
}

void DbGrid::followView(const QModelIndex &current)
{
    if (m_following || !current.isValid())
        return;
    try {
        m_model->setCurrentRow(current.row());
    } catch (const DbError &error) {
        QMessageBox::critical(this, QApplication::applicationDisplayName(), error.message());
    }
    // A move the dataset refused (or failed) leaves its record highlighted.
    if (m_model->currentRow() != current.row())
        showCurrent();
}

void DbGrid::fetchAtTop()
{
    QScrollBar *bar = verticalScrollBar();
    if (m_following || bar->value() != bar->minimum())
        return;
    const int before = m_model->rowCount();
    if (!m_model->fetchBefore())
        return;
    // The rows came in above the shown ones: keep the same rows in view.
    executeDelayedItemsLayout();
    bar->setValue(bar->value() + m_model->rowCount() - before);
}

} // namespace tavisko
