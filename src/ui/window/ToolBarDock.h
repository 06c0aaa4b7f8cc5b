#pragma once

#include "app/CMainFrame.h"

#include <Qt>

namespace daylark {

/// The toolbar area for a saved dock side; a floating toolbar starts at the top.
Qt::ToolBarArea toolBarAreaOf(CMainFrame::DockSide side);

/// The dock side to save for a toolbar in `area`, or floating.
CMainFrame::DockSide dockSideOf(Qt::ToolBarArea area, bool floating);

} // namespace daylark
