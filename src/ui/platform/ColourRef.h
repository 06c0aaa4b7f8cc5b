#pragma once

#include <QColor>

#include <cstdint>

namespace daylark {

/// A colour value of the core (0x00BBGGRR) as Qt's colour.
QColor qColorOfColourRef(std::uint32_t colour);
/// Qt's colour as a colour value of the core (0x00BBGGRR); the alpha is dropped.
std::uint32_t colourRefOfQColor(const QColor& colour);

} // namespace daylark
