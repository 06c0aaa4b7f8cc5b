#pragma once

#include <QColor>
#include <QIcon>

#include <cstdint>

class QSize;

namespace daylark {

/// A colour value of the core (0x00BBGGRR) as Qt's colour.
QColor qColorOfColourRef(std::uint32_t colour);
/// Qt's colour as a colour value of the core (0x00BBGGRR); the alpha is dropped.
std::uint32_t colourRefOfQColor(const QColor& colour);

/// An icon of `size` filled with `colour`, inside a thin frame, so a colour as light as the
/// button itself still shows.
QIcon colourSwatch(std::uint32_t colour, const QSize& size);

} // namespace daylark
