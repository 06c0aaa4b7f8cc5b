#pragma once

#include <QPalette>

namespace daylark {

/// `today`'s palette with its text background tinted: how every view shows a past day's page,
/// so a filed page is never taken for today's.
QPalette pastDayPalette(const QPalette& today);

} // namespace daylark
