#include "widgets/TileGrid.h"

#include "db/TableDataset.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

namespace tavisko {

TileGrid::TileGrid(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The scroll bar counts rows of tiles, not pixels.
    verticalScrollBar()->setSingleStep(1);
    updateScrollBar();
}

void TileGrid::setDataset(TableDataset *dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (m_dataset) {
        connect(m_dataset, &Dataset::reset, this, &TileGrid::datasetReset);
        connect(m_dataset, &Dataset::rowChanged, this, &TileGrid::datasetRowChanged);
        connect(m_dataset, &Dataset::currentChanged, this, &TileGrid::datasetCurrentChanged);
    }
    datasetReset();
}

void TileGrid::setTilePainter(TilePainter painter)
{
    m_painter = std::move(painter);
    viewport()->update();
}

void TileGrid::setColumnCount(int columns)
{
    m_columns = qMax(1, columns);
    updateScrollBar();
    viewport()->update();
}

void TileGrid::setRowCount(int rows)
{
    m_rows = qMax(1, rows);
    updateScrollBar();
    viewport()->update();
}

QSize TileGrid::tileSize() const
{
    return QSize(viewport()->width() / m_columns, viewport()->height() / m_rows);
}

QRect TileGrid::tileRect(int row) const
{
    if (!m_dataset || row < 0 || row >= m_dataset->rowCount())
        return QRect();
    const QSize size = tileSize();
    const int tileRow = row / m_columns - verticalScrollBar()->value();
    return QRect((row % m_columns) * size.width(), tileRow * size.height(), size.width(), size.height());
}

int TileGrid::rowAt(const QPoint &position) const
{
    const QSize size = tileSize();
    if (!m_dataset || size.isEmpty() || position.x() < 0 || position.y() < 0)
        return -1;
    const int column = position.x() / size.width();
    const int tileRow = position.y() / size.height();
    if (column >= m_columns || tileRow >= m_rows)
        return -1;
    const int row = (tileRow + verticalScrollBar()->value()) * m_columns + column;
    return row < m_dataset->rowCount() ? row : -1;
}

void TileGrid::ensureVisible(int row)
{
    if (!m_dataset || row < 0 || row >= m_dataset->rowCount())
        return;
    QScrollBar *bar = verticalScrollBar();
    const int tileRow = row / m_columns;
    if (tileRow < bar->value())
        bar->setValue(tileRow);
    else if (tileRow >= bar->value() + m_rows)
        bar->setValue(tileRow - m_rows + 1);
}

void TileGrid::updateScrollBar()
{
    const int records = m_dataset ? m_dataset->rowCount() : 0;
    const int tileRows = (records + m_columns - 1) / m_columns;
    QScrollBar *bar = verticalScrollBar();
    bar->setPageStep(m_rows);
    bar->setRange(0, qMax(0, tileRows - m_rows));
}

void TileGrid::paintEvent(QPaintEvent *event)
{
    if (!m_dataset || !m_painter)
        return;
    QPainter painter(viewport());
    const int current = m_dataset->currentRow();
    const int first = verticalScrollBar()->value() * m_columns;
    const int end = qMin(int(m_dataset->rowCount()), first + m_rows * m_columns);
    for (int row = first; row < end; ++row) {
        const QRect tile = tileRect(row);
        if (!event->region().intersects(tile))
            continue;
        painter.save();
        painter.setClipRect(tile);
        m_painter(painter, tile, m_dataset->rowValues(row), row == current);
        painter.restore();
    }
    m_paintedCurrent = current;
}

void TileGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
    viewport()->update();
}

void TileGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TileGrid::mousePressEvent(QMouseEvent *event)
{
    m_pressedRow = event->button() == Qt::LeftButton ? rowAt(event->position().toPoint()) : -1;
}

void TileGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = m_pressedRow;
    m_pressedRow = -1;
    if (event->button() != Qt::LeftButton || pressed < 0 || rowAt(event->position().toPoint()) != pressed)
        return;
    moveCurrent(pressed);
    emit tileClicked();
}

void TileGrid::mouseDoubleClickEvent(QMouseEvent *)
{
    // The first press and release of a double tap were already one tap; the second
    // half must not make another.
    m_pressedRow = -1;
}

void TileGrid::keyPressEvent(QKeyEvent *event)
{
    if (!m_dataset || m_dataset->rowCount() == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int current = qMax(0, m_dataset->currentRow());
    int step;
    switch (event->key()) {
    case Qt::Key_Left: step = -1; break;
    case Qt::Key_Right: step = 1; break;
    case Qt::Key_Up: step = -m_columns; break;
    case Qt::Key_Down: step = m_columns; break;
    case Qt::Key_PageUp: step = -m_columns * m_rows; break;
    case Qt::Key_PageDown: step = m_columns * m_rows; break;
    case Qt::Key_Home: step = -current; break;
    case Qt::Key_End: step = m_dataset->rowCount() - 1 - current; break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // Like moving a cursor by that many records: it stops at the first and the last.
    moveCurrent(qBound(0, current + step, int(m_dataset->rowCount()) - 1));
    ensureVisible(m_dataset->currentRow());
}

void TileGrid::moveCurrent(int row)
{
    // A record being edited is not left by a tap; the edit's owner saves or cancels it.
    if (m_dataset->state() == TableDataset::State::Browse)
        m_dataset->setCurrentRow(row);
}

void TileGrid::datasetReset()
{
    updateScrollBar();
    viewport()->update();
}

void TileGrid::datasetRowChanged(int row)
{
    if (row < 0)
        viewport()->update();
    else
        viewport()->update(tileRect(row));
}

void TileGrid::datasetCurrentChanged()
{
    const int current = m_dataset->currentRow();
    if (current == m_paintedCurrent)
        return;
    viewport()->update(tileRect(m_paintedCurrent));
    viewport()->update(tileRect(current));
    ensureVisible(current);
}

} // namespace tavisko
