#include "terminal/Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tavisko {

namespace {
constexpr int side = 64;

void drawArrowHead(QPainter &p, QPointF tip, QPointF a, QPointF b, const QColor &colour)
{
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(a);
    head.lineTo(b);
    head.closeSubpath();
    p.fillPath(head, colour);
}

void draw(QPainter &p, Picture which)
{
    const QRectF box(6, 6, side - 12, side - 12);
    switch (which) {
    case Picture::Start: {
        QPainterPath triangle;
        triangle.moveTo(16, 8);
        triangle.lineTo(54, 32);
        triangle.lineTo(16, 56);
        triangle.closeSubpath();
        p.fillPath(triangle, QColor(0, 150, 0));
        break;
    }
    case Picture::Stop:
        p.setBrush(QColor(200, 0, 0));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(12, 12, 40, 40), 5, 5);
        break;
    case Picture::Barcode: {
        const int widths[] = {2, 1, 3, 1, 1, 2, 4, 1, 2, 1, 3, 2, 1, 1, 3};
        qreal x = 8;
        bool bar = true;
        for (const int w : widths) {
            if (bar)
                p.fillRect(QRectF(x, 12, w * 1.6, 40), Qt::black);
            x += w * 1.6;
            bar = !bar;
        }
        p.setPen(QPen(QColor(220, 0, 0), 2));
        p.drawLine(QPointF(4, 32), QPointF(60, 32));
        break;
    }
    case Picture::Refresh:
        p.setPen(QPen(QColor(0, 110, 200), 6, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(12, 12, 40, 40), 60 * 16, 270 * 16);
        drawArrowHead(p, QPointF(50, 6), QPointF(54, 24), QPointF(36, 18), QColor(0, 110, 200));
        break;
    case Picture::Back:
        p.setPen(QPen(QColor(0, 110, 200), 8, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(26, 32), QPointF(56, 32));
        drawArrowHead(p, QPointF(6, 32), QPointF(28, 14), QPointF(28, 50), QColor(0, 110, 200));
        break;
    case Picture::Quit:
        p.setPen(QPen(QColor(180, 0, 0), 6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(12, 14, 40, 40), 120 * 16, 300 * 16);
        p.drawLine(QPointF(32, 8), QPointF(32, 32));
        break;
    case Picture::AddDown:
        p.setPen(QPen(QColor(0, 70, 220), 12, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(32, 4), QPointF(32, 36));
        drawArrowHead(p, QPointF(32, 60), QPointF(10, 34), QPointF(54, 34), QColor(0, 70, 220));
        break;
    case Picture::Keyboard: {
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(QColor(230, 230, 230));
        p.drawRoundedRect(QRectF(4, 16, 56, 34), 4, 4);
        p.setBrush(QColor(90, 90, 90));
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 7; ++col)
                p.drawRect(QRectF(8 + col * 7.3, 20 + row * 8, 5, 5));
        }
        p.drawRect(QRectF(18, 44, 28, 3));
        break;
    }
    case Picture::Ok: {
        QPainterPath check;
        check.moveTo(10, 34);
        check.lineTo(26, 50);
        check.lineTo(56, 14);
        p.setPen(QPen(QColor(0, 160, 0), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(check);
        break;
    }
    case Picture::Cancel:
        p.setPen(QPen(QColor(210, 0, 0), 9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(box.topLeft() + QPointF(6, 6), box.bottomRight() - QPointF(6, 6));
        p.drawLine(box.topRight() + QPointF(-6, 6), box.bottomLeft() + QPointF(6, -6));
        break;
    }
}
}

QIcon picture(Picture which)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, which);
    painter.end();
    return QIcon(pixmap);
}

} // namespace tavisko
