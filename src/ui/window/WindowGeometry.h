#pragma once

#include "platform/WindowPlacement.h"

#include <QList>
#include <QRect>

class QWidget;

namespace daylark {

/// The window's placement as WindowPos keeps it: its normal rectangle (the area inside the
/// frame, also while maximised or minimised) and its show command. The minimised and maximised
/// positions are not known here and are stored as -1.
WindowPlacement placementOf(const QWidget& window);

/// `rect` itself when at least half of it lies on one of `screens`, else the same size (at most
/// the primary screen's) placed at the top left of `primary`.
QRect keptOnScreen(const QRect& rect, const QList<QRect>& screens, const QRect& primary);

/// Gives a window that is not shown yet its saved normal rectangle, moved onto a screen when it
/// lies mostly off every screen. Where the desktop does not let a program place its windows
/// (Wayland), only the size is restored.
void applyPlacement(QWidget& window, const WindowPlacement& placement);

} // namespace daylark
