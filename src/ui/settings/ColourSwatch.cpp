#include "ui/settings/ColourSwatch.h"

#include "ui/platform/ColourRef.h"

#include <QPainter>
#include <QPixmap>

QIcon daylark::colourSwatch(std::uint32_t colour, const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(qColorOfColourRef(colour));
    QPainter painter(&pixmap);
    painter.setPen(QColor(Qt::darkGray));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}
