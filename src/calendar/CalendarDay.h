#pragma once

#include "calendar/MonthGrid.h"

#include <cstdint>
#include <string>

namespace daylark {

struct CalendarColours;

/// What a day cell is to the displayed month.
enum class CellClass {
    Today, ///< today's whole date (another year's same day and month is an ordinary day)
    Month, ///< a day of the displayed month
    Other, ///< a day of the month before or after
};

/// The fixed holiday of a date, or null: "Happy New Year" (1 January), "4th of July",
/// "Thanksgiving" (the fourth Thursday of November) and "Christmas!" (25 December).
const char* holidayOf(const CalendarDate& date);

/// "Jan" to "Dec" ("Sept" has four letters) for 1-12; an empty text otherwise.
const char* shortMonthName(int month);
/// "January" to "December" for 1-12; an empty text otherwise.
const char* longMonthName(int month);

/// The text of a day cell: " 7" for most days, "Mar 1" for a month's 1st.
std::string dayText(const CalendarDate& date);

CellClass cellClass(const CalendarDate& cell, int displayedMonth, const CalendarDate& today);
/// The fill of a cell of that class; a holiday's cell takes the holiday colour instead and
/// writes its name on the class colour.
std::uint32_t classColour(CellClass cellClass, const CalendarColours& colours);

} // namespace daylark
