#pragma once

#include <QAbstractScrollArea>
#include <QVariantList>

#include <functional>

namespace tavisko {

class TableDataset;

// A grid of tiles, one per record of a whole table dataset, in the dataset's order:
// a fixed number of columns and of visible rows share the viewport (tile size =
// viewport size / columns or rows, in whole pixels); more records than fit scroll
// by whole tile rows. A tap (press and release on one tile) makes the tile's record
// the dataset's current record and then emits tileClicked; a double tap acts as one
// tap. With the focus on the grid the arrow keys move the current record. The grid
// paints through a per-window painter callback and repaints only the tiles whose
// records changed. Borrows the dataset, which must outlive it.
class TileGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Paints one tile into `tile` (viewport coordinates); `current` is true for the
    // dataset's current record.
    using TilePainter = std::function<void(QPainter &painter, const QRect &tile,
                                           const QVariantList &record, bool current)>;

    explicit TileGrid(QWidget *parent = nullptr);

    void setDataset(TableDataset *dataset);
    TableDataset *dataset() const { return m_dataset; }
    void setTilePainter(TilePainter painter);

    void setColumnCount(int columns);
    int columnCount() const { return m_columns; }
    // Visible rows: the viewport's height is shared by this many rows of tiles.
    void setRowCount(int rows);
    int rowCount() const { return m_rows; }

    QSize tileSize() const;
    // Where the tile of the record at `row` stands in the viewport now (it may lie
    // outside the visible part); an invalid rect for no such record.
    QRect tileRect(int row) const;
    // Scrolls so that the tile of the record at `row` is visible.
    void ensureVisible(int row);

signals:
    void tileClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rowAt(const QPoint &position) const;
    void updateScrollBar();
    void moveCurrent(int row);
    void datasetReset();
    void datasetRowChanged(int row);
    void datasetCurrentChanged();

    TableDataset *m_dataset = nullptr;
    TilePainter m_painter;
    int m_columns = 6;
    int m_rows = 5;
    int m_pressedRow = -1;
    int m_paintedCurrent = -1; // the row last painted as current, repainted when it moves
};

} // namespace tavisko
