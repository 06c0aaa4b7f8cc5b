#include "ui/window/ToolBarDock.h"

namespace daylark {

using DockSide = CMainFrame::DockSide;

Qt::ToolBarArea toolBarAreaOf(DockSide side)
{
    switch (side) {
    case DockSide::Bottom:
        return Qt::BottomToolBarArea;
    case DockSide::Left:
        return Qt::LeftToolBarArea;
    case DockSide::Right:
        return Qt::RightToolBarArea;
    case DockSide::Top:
    case DockSide::Floating:
        break;
    }
    return Qt::TopToolBarArea;
}

DockSide dockSideOf(Qt::ToolBarArea area, bool floating)
{
    if (floating) {
        return DockSide::Floating;
    }
    switch (area) {
    case Qt::BottomToolBarArea:
        return DockSide::Bottom;
    case Qt::LeftToolBarArea:
        return DockSide::Left;
    case Qt::RightToolBarArea:
        return DockSide::Right;
    default:
        return DockSide::Top;
    }
}

} // namespace daylark
