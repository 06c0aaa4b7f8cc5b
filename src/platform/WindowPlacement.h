#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace daylark {

/// Where a window stands: the main window's and the calendar's placement, kept in the profile
/// values WindowPos and CalendarPos as "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d".
struct WindowPlacement
{
    /// `flags`: a minimised window comes back maximised.
    static constexpr std::uint32_t kRestoreToMaximized = 2;
    /// Values of `showCommand`.
    static constexpr std::uint32_t kHide = 0;
    static constexpr std::uint32_t kShowNormal = 1;
    static constexpr std::uint32_t kShowMinimized = 2;
    static constexpr std::uint32_t kShowMaximized = 3;
    static constexpr std::uint32_t kMinimize = 6;
    static constexpr std::uint32_t kShowMinNoActive = 7;
    static constexpr std::uint32_t kForceMinimize = 11;

    std::uint32_t flags = 0;
    std::uint32_t showCommand = kShowNormal;
    std::int32_t minX = 0;
    std::int32_t minY = 0;
    std::int32_t maxX = 0;
    std::int32_t maxY = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    /// The calendar's placement before one was saved.
    static WindowPlacement calendarDefault();

    /// Reads the ten numbers; leading blanks before each are allowed and text after the tenth
    /// is ignored. Fewer than ten numbers (or one out of range) gives nothing.
    static std::optional<WindowPlacement> parse(std::string_view text);
    /// The profile text of the placement.
    std::string format() const;

    bool operator==(const WindowPlacement&) const = default;
};

/// How a window shows first, from the show command of the start-up plan.
enum class FirstShow { Hidden, Normal, Maximized };

/// The first showing for a start-up show command: kHide hides; a maximising command, or a
/// minimising one of a window that was maximised before (kRestoreToMaximized in `flags`),
/// maximises; everything else (a minimised window too) shows normal.
FirstShow firstShowOf(std::uint32_t showCommand, std::uint32_t flags);

} // namespace daylark
