#include "platform/CalendarColours.h"

#include "platform/Profile.h"

#include <array>

namespace daylark {

namespace {

constexpr const char* kSection = "Settings";

struct ColourKeys
{
    std::uint32_t CalendarColours::*colour;
    const char* high;
    const char* low;
};

constexpr std::array<ColourKeys, 4> kKeys = {{
    {&CalendarColours::currentMonth, "ClrCurMonthHigh", "ClrCurMonthLow"},
    {&CalendarColours::notCurrentMonth, "ClrNotCurMonthHigh", "ClrNotCurMonthLow"},
    {&CalendarColours::today, "ClrTodayHigh", "ClrTodayLow"},
    {&CalendarColours::holiday, "ClrHolidayHigh", "ClrHolidayLow"},
}};

} // namespace

void CalendarColours::read(const Profile& profile)
{
    for (const ColourKeys& keys : kKeys) {
        std::uint32_t& colour = this->*keys.colour;
        const int high = profile.readInt(kSection, keys.high, static_cast<int>(colour >> 16));
        const int low = profile.readInt(kSection, keys.low, static_cast<int>(colour & 0xFFFF));
        colour =
            (static_cast<std::uint32_t>(high) << 16) | (static_cast<std::uint32_t>(low) & 0xFFFF);
    }
}

void CalendarColours::write(Profile& profile) const
{
    profile.writeStrings(kSection, values());
}

std::vector<std::pair<std::string, std::string>> CalendarColours::values() const
{
    std::vector<std::pair<std::string, std::string>> halves;
    for (const ColourKeys& keys : kKeys) {
        const std::uint32_t colour = this->*keys.colour;
        halves.emplace_back(keys.high, std::to_string(static_cast<int>(colour >> 16)));
        halves.emplace_back(keys.low, std::to_string(static_cast<int>(colour & 0xFFFF)));
    }
    return halves;
}

} // namespace daylark
