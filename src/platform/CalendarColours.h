#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace daylark {

class Profile;

/// The calendar's four colours, 0x00BBGGRR, owned by the main window. The defaults are fixed
/// values, so a profile means the same on every machine.
struct CalendarColours
{
    std::uint32_t currentMonth = 0x00FFFFFF;
    std::uint32_t notCurrentMonth = 0x00808080;
    std::uint32_t today = 0x00800000;
    std::uint32_t holiday = 0x00808000;

    /// Reads the eight profile halves (ClrCurMonthHigh, ClrCurMonthLow, ...): the High value
    /// holds the blue byte (colour >> 16), the Low value green and red (colour & 0xFFFF); an
    /// absent half keeps the current value's half.
    void read(const Profile& profile);
    /// Writes all eight halves: current month, not current month, today, holiday, each High
    /// then Low.
    void write(Profile& profile) const;
    /// The eight halves in that order, as keys and decimal values.
    std::vector<std::pair<std::string, std::string>> values() const;

    bool operator==(const CalendarColours&) const = default;
};

} // namespace daylark
