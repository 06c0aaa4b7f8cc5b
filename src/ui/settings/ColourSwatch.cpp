#include "ui/settings/ColourSwatch.h"

#include <QPainter>
#include <QPixmap>

QColor daylark::qColorOfColourRef(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

std::uint32_t daylark::colourRefOfQColor(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) |
           static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

QIcon daylark::colourSwatch(std::uint32_t colour, const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(qColorOfColourRef(colour));
    QPainter painter(&pixmap);
    painter.setPen(QColor(Qt::darkGray));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}
