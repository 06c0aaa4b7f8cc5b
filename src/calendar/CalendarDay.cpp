#include "calendar/CalendarDay.h"

#include "platform/CalendarColours.h"
#include "platform/LocalTime.h"

#include <array>
#include <cstddef>

namespace daylark {

namespace {

constexpr std::array<const char*, 12> kShortNames = {"Jan", "Feb", "Mar",  "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sept", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 12> kLongNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

/// The fourth Thursday of November: 22 to 28 November.
int thanksgivingDay(int year)
{
    const long first = civilDayNumber(year, 11, 1);
    // 1970-01-01 was a Thursday, so (day number - 0) mod 7 == 0 marks a Thursday.
    const int weekdayFromThursday = static_cast<int>(((first % 7) + 7) % 7);
    const int firstThursday = 1 + (7 - weekdayFromThursday) % 7;
    return firstThursday + 21;
}

} // namespace

const char* holidayOf(const CalendarDate& date)
{
    if (date.month == 1 && date.day == 1) {
        return "Happy New Year";
    }
    if (date.month == 7 && date.day == 4) {
        return "4th of July";
    }
    if (date.month == 11 && date.day == thanksgivingDay(date.year)) {
        return "Thanksgiving";
    }
    if (date.month == 12 && date.day == 25) {
        return "Christmas!";
    }
    return nullptr;
}

const char* shortMonthName(int month)
{
    return month >= 1 && month <= 12 ? kShortNames[static_cast<std::size_t>(month - 1)] : "";
}

const char* longMonthName(int month)
{
    return month >= 1 && month <= 12 ? kLongNames[static_cast<std::size_t>(month - 1)] : "";
}

std::string dayText(const CalendarDate& date)
{
    const std::string word = date.day == 1 ? shortMonthName(date.month) : "";
    return word + ' ' + std::to_string(date.day);
}

CellClass cellClass(const CalendarDate& cell, int displayedMonth, const CalendarDate& today)
{
    if (cell == today) {
        return CellClass::Today;
    }
    return cell.month == displayedMonth ? CellClass::Month : CellClass::Other;
}

std::uint32_t classColour(CellClass cellClass, const CalendarColours& colours)
{
    switch (cellClass) {
    case CellClass::Today:
        return colours.today;
    case CellClass::Month:
        return colours.currentMonth;
    case CellClass::Other:
        break;
    }
    return colours.notCurrentMonth;
}

} // namespace daylark
