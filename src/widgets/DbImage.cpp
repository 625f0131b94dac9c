#include "widgets/DbImage.h"

#include "db/DataSource.h"
#include "db/DbError.h"
#include "db/TableDataset.h"

#include <QPainter>

namespace tavisko {

DbImage::DbImage(const DataSource &source, const QString &fieldName, QWidget *parent)
    : QFrame(parent), m_source(source), m_fieldName(fieldName)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Only a move of the current record can change the picture shown: a reload
    // announces changed rows and resets, but a blob is never held with the rows, so
    // reading it again there would cost its bytes every second for nothing.
    connect(source.dataset, &Dataset::currentChanged, this, &DbImage::currentMaybeMoved);
    connect(source.dataset, &Dataset::reset, this, &DbImage::currentMaybeMoved);
}

const QImage &DbImage::image() const
{
    return m_image;
}

void DbImage::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    currentMaybeMoved();
}

void DbImage::currentMaybeMoved()
{
    if (!isVisible())
        return;
    const auto *table = dynamic_cast<const TableDataset *>(m_source.dataset);
    const QVariant key = table && table->isOpen() ? table->currentKey() : QVariant();
    if (!m_loaded || key != m_loadedKey)
        load();
}

void DbImage::load()
{
    const auto *table = dynamic_cast<const TableDataset *>(m_source.dataset);
    m_image = QImage();
    m_loaded = false;
    m_loadedKey = QVariant();
    if (table && table->isOpen() && !table->isEmpty()) {
        try {
            m_image = QImage::fromData(table->blob(m_fieldName));
        } catch (const DbError &) {
            // A picture that cannot be read now is left empty and read again at the
            // next move or showing; the failure itself surfaces in the next action
            // that needs the connection.
            update();
            return;
        }
        m_loadedKey = table->currentKey();
    }
    m_loaded = true;
    update();
}

void DbImage::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_image.isNull())
        return;
    const QRect area = contentsRect();
    QPainter painter(this);
    painter.setClipRect(area);
    painter.drawImage(QPoint(area.left() + (area.width() - m_image.width()) / 2,
                             area.top() + (area.height() - m_image.height()) / 2),
                      m_image);
}

} // namespace tavisko
