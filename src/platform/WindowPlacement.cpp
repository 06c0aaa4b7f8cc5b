#include "platform/WindowPlacement.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace daylark {

namespace {

/// Reads one number as scanf's %d / %u would: blanks, an optional sign, digits.
template <class Number> bool readNumber(std::string_view& text, Number& value)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data() + i, text.data() + text.size(), magnitude);
    if (error != std::errc() || magnitude < 0) {
        return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if constexpr (std::is_unsigned_v<Number>) {
        // %u takes a negative number modulo 2^32, as the C library does.
        if (magnitude > std::numeric_limits<std::uint32_t>::max()) {
            return false;
        }
        value = static_cast<Number>(static_cast<std::uint32_t>(signedValue));
    } else {
        if (signedValue < std::numeric_limits<Number>::min() ||
            signedValue > std::numeric_limits<Number>::max()) {
            return false;
        }
        value = static_cast<Number>(signedValue);
    }
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

bool readSeparator(std::string_view& text)
{
    if (text.empty() || text.front() != ',') {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

} // namespace

WindowPlacement WindowPlacement::calendarDefault()
{
    WindowPlacement placement;
    placement.flags = 0;
    placement.showCommand = kShowMaximized;
    placement.minX = 400;
    placement.minY = 400;
    placement.maxX = -4;
    placement.maxY = -4;
    placement.left = 0;
    placement.top = 0;
    placement.right = 512;
    placement.bottom = 440;
    return placement;
}

std::optional<WindowPlacement> WindowPlacement::parse(std::string_view text)
{
    WindowPlacement p;
    std::int32_t* const signedFields[] = {&p.minX, &p.minY, &p.maxX,  &p.maxY,
                                          &p.left, &p.top,  &p.right, &p.bottom};
    if (!readNumber(text, p.flags) || !readSeparator(text) || !readNumber(text, p.showCommand)) {
        return std::nullopt;
    }
    for (std::int32_t* field : signedFields) {
        if (!readSeparator(text) || !readNumber(text, *field)) {
            return std::nullopt;
        }
    }
    return p;
}

std::string WindowPlacement::format() const
{
    char text[160];
    std::snprintf(text, sizeof text, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", flags, showCommand, minX,
                  minY, maxX, maxY, left, top, right, bottom);
    return text;
}

} // namespace daylark

daylark::FirstShow daylark::firstShowOf(std::uint32_t showCommand, std::uint32_t flags)
{
    switch (showCommand) {
    case WindowPlacement::kHide:
        return FirstShow::Hidden;
    case WindowPlacement::kShowMaximized:
        return FirstShow::Maximized;
    case WindowPlacement::kShowMinimized:
    case WindowPlacement::kMinimize:
    case WindowPlacement::kShowMinNoActive:
    case WindowPlacement::kForceMinimize:
        return (flags & WindowPlacement::kRestoreToMaximized) != 0 ? FirstShow::Maximized
                                                                   : FirstShow::Normal;
    default:
        return FirstShow::Normal;
    }
}
