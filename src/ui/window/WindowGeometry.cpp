#include "ui/window/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace daylark {

namespace {

constexpr std::int32_t kNoPosition = -1;

qint64 area(const QRect& rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

} // namespace

WindowPlacement placementOf(const QWidget& window)
{
    WindowPlacement placement;
    const QRect normal = window.isMaximized() || window.isMinimized() || window.isFullScreen()
                             ? window.normalGeometry()
                             : window.geometry();
    placement.showCommand = window.isMinimized()   ? WindowPlacement::kShowMinimized
                            : window.isMaximized() ? WindowPlacement::kShowMaximized
                                                   : WindowPlacement::kShowNormal;
    placement.minX = placement.minY = placement.maxX = placement.maxY = kNoPosition;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    return placement;
}

QRect keptOnScreen(const QRect& rect, const QList<QRect>& screens, const QRect& primary)
{
    for (const QRect& screen : screens) {
        if (2 * area(rect.intersected(screen)) >= area(rect)) {
            return rect;
        }
    }
    const QSize size = rect.size().boundedTo(primary.size());
    return QRect(primary.topLeft(), size);
}

void applyPlacement(QWidget& window, const WindowPlacement& placement)
{
    const QRect saved(QPoint(placement.left, placement.top),
                      QSize(placement.right - placement.left, placement.bottom - placement.top));
    if (saved.width() <= 0 || saved.height() <= 0) {
        return;
    }
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        window.resize(saved.size());
        return;
    }
    const QRect rect = keptOnScreen(saved, screens, primary->availableGeometry());
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        window.resize(rect.size());
        return;
    }
    window.setGeometry(rect);
}

} // namespace daylark
