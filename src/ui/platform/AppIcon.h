#pragma once

#include <QIcon>

namespace daylark {

/// The program's icon, drawn here (the same picture as data/daylark.svg, which the desktop's
/// menu shows), so the window has it without an SVG image plugin.
QIcon applicationIcon();

} // namespace daylark
