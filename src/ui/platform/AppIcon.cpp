#include "ui/platform/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace daylark {

namespace {

/// Draws on a 64x64 canvas, as data/daylark.svg does.
void drawIcon(QPainter& p)
{
    const QColor ink(0x5d, 0x40, 0x37);
    p.setPen(QPen(ink, 2));
    p.setBrush(QColor(0xff, 0xfd, 0xf5));
    p.drawRoundedRect(QRectF(6, 8, 52, 50), 6, 6);

    QPainterPath band;
    band.moveTo(7, 22);
    band.lineTo(7, 14);
    band.arcTo(QRectF(7, 9, 10, 10), 180, -90);
    band.lineTo(52, 9);
    band.arcTo(QRectF(47, 9, 10, 10), 90, -90);
    band.lineTo(57, 22);
    band.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0x77, 0x2e));
    p.drawPath(band);
    p.setBrush(ink);
    p.drawEllipse(QPointF(20, 8), 3, 3);
    p.drawEllipse(QPointF(44, 8), 3, 3);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 2));
    p.drawRoundedRect(QRectF(12, 28, 8, 8), 1.5, 1.5);
    p.drawRoundedRect(QRectF(12, 42, 8, 8), 1.5, 1.5);
    p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(13.5, 31.5), QPointF(16, 34.5), QPointF(21.5, 26.5)}));
    p.setPen(QPen(QColor(0x8d, 0x8d, 0x8d), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25, 32), QPointF(51, 32));
    p.drawLine(QPointF(25, 46), QPointF(47, 46));
}

} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 64.0, size / 64.0);
        drawIcon(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace daylark
