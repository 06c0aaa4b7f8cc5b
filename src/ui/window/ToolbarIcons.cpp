#include "ui/window/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace daylark {

namespace {

const char* themeName(ToolbarPicture picture)
{
    switch (picture) {
    case ToolbarPicture::Calendar:
        return "x-office-calendar";
    case ToolbarPicture::Lists:
        return "view-list-text";
    case ToolbarPicture::StopWatch:
        return "chronometer";
    case ToolbarPicture::Search:
        return "edit-find";
    case ToolbarPicture::BackwardDay:
        return "go-previous";
    case ToolbarPicture::ForwardDay:
        return "go-next";
    case ToolbarPicture::Today:
        return "go-home";
    case ToolbarPicture::Cut:
        return "edit-cut";
    case ToolbarPicture::Copy:
        return "edit-copy";
    case ToolbarPicture::Paste:
        return "edit-paste";
    case ToolbarPicture::Synchronize:
        return "view-refresh";
    }
    return "";
}

void drawArrow(QPainter& p, bool forward)
{
    QPainterPath path;
    if (forward) {
        path.moveTo(6, 10);
        path.lineTo(16, 10);
        path.lineTo(16, 5);
        path.lineTo(27, 16);
        path.lineTo(16, 27);
        path.lineTo(16, 22);
        path.lineTo(6, 22);
    } else {
        path.moveTo(26, 10);
        path.lineTo(16, 10);
        path.lineTo(16, 5);
        path.lineTo(5, 16);
        path.lineTo(16, 27);
        path.lineTo(16, 22);
        path.lineTo(26, 22);
    }
    path.closeSubpath();
    p.setBrush(QColor(0x2e, 0x7d, 0x32));
    p.drawPath(path);
}

void drawPage(QPainter& p, int x, int y)
{
    p.setBrush(Qt::white);
    p.drawRect(x, y, 14, 18);
    for (int line = 0; line < 4; ++line) {
        p.drawLine(x + 3, y + 4 + line * 4, x + 11, y + 4 + line * 4);
    }
}

/// Our own drawing of each picture on a 32x32 canvas.
void draw(QPainter& p, ToolbarPicture picture)
{
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    switch (picture) {
    case ToolbarPicture::Calendar:
        p.setBrush(Qt::white);
        p.drawRect(4, 6, 24, 22);
        p.setBrush(QColor(0xc6, 0x28, 0x28));
        p.drawRect(4, 6, 24, 6);
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 4; ++col) {
                p.drawPoint(8 + col * 5, 16 + row * 4);
            }
        }
        break;
    case ToolbarPicture::Lists:
        drawPage(p, 9, 6);
        p.drawText(QRect(4, 4, 8, 10), Qt::AlignCenter, "{}");
        break;
    case ToolbarPicture::StopWatch:
        p.setBrush(Qt::white);
        p.drawEllipse(5, 7, 22, 22);
        p.drawRect(14, 2, 4, 4);
        p.drawLine(16, 18, 16, 11);
        p.drawLine(16, 18, 21, 18);
        break;
    case ToolbarPicture::Search:
        p.setBrush(QColor(0xbb, 0xde, 0xfb));
        p.drawEllipse(5, 5, 15, 15);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 4));
        p.drawLine(18, 18, 27, 27);
        break;
    case ToolbarPicture::BackwardDay:
        drawArrow(p, false);
        break;
    case ToolbarPicture::ForwardDay:
        drawArrow(p, true);
        break;
    case ToolbarPicture::Today:
        p.setBrush(QColor(0xff, 0xc1, 0x07));
        p.drawEllipse(8, 8, 16, 16);
        for (int ray = 0; ray < 8; ++ray) {
            p.save();
            p.translate(16, 16);
            p.rotate(ray * 45);
            p.drawLine(0, 10, 0, 14);
            p.restore();
        }
        break;
    case ToolbarPicture::Cut:
        p.drawEllipse(6, 20, 7, 7);
        p.drawEllipse(19, 20, 7, 7);
        p.drawLine(11, 21, 22, 4);
        p.drawLine(21, 21, 10, 4);
        break;
    case ToolbarPicture::Copy:
        drawPage(p, 5, 4);
        drawPage(p, 13, 10);
        break;
    case ToolbarPicture::Paste:
        p.setBrush(QColor(0xa1, 0x88, 0x7f));
        p.drawRect(5, 5, 18, 22);
        drawPage(p, 14, 11);
        break;
    case ToolbarPicture::Synchronize:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x15, 0x65, 0xc0), 3));
        p.drawArc(6, 6, 20, 20, 30 * 16, 150 * 16);
        p.drawArc(6, 6, 20, 20, 210 * 16, 150 * 16);
        p.drawLine(24, 6, 25, 12);
        p.drawLine(8, 26, 7, 20);
        break;
    }
}

} // namespace

QIcon toolbarIcon(ToolbarPicture picture)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, picture);
    }
    return QIcon::fromTheme(QString::fromLatin1(themeName(picture)), QIcon(pixmap));
}

} // namespace daylark
