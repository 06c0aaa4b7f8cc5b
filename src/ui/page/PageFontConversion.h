#pragma once

#include "diary/PageFont.h"

#include <QFont>

namespace daylark {

/// The page font as the editor shows it. The height is in pixels at 96 dpi (negative: the
/// character height; a positive value is read the same way) and 0 keeps the default size; a
/// weight outside 100..900 is normal; an empty face name keeps the system's family.
QFont qtFontOf(const PageFont& page);

/// The page font after the user chose `chosen`: its size, weight, italic, underline, strike-out
/// and family replace those of `kept`, whose other fields stay as they were read. The family is
/// cut to PageFont::kMaxFaceName bytes of UTF-8, never inside a character.
PageFont pageFontOf(const QFont& chosen, PageFont kept);

} // namespace daylark
