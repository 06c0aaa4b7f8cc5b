#pragma once

#include <QIcon>

#include <cstdint>

class QSize;

namespace daylark {

/// An icon of `size` filled with `colour`, inside a thin frame, so a colour as light as the
/// button itself still shows.
QIcon colourSwatch(std::uint32_t colour, const QSize& size);

} // namespace daylark
