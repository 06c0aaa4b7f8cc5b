#pragma once

#include <cstdint>

namespace daylark {

/// A local calendar date.
struct CalendarDate
{
    int year = 1970;
    int month = 1; ///< 1-12
    int day = 1;   ///< 1-31

    bool operator==(const CalendarDate&) const = default;
};

/// The month grid of the calendar: six rows of seven days, Sunday first, whose top-left day is
/// the grid start (local midnight). Month steps put the grid start on the Sunday on or before a
/// month's 1st; week steps move it by seven days, so it can be any Sunday. The displayed month
/// and year are derived from the grid start every time, never stored.
namespace monthgrid {

constexpr int kColumns = 7;
constexpr int kRows = 6;
constexpr int kCells = kColumns * kRows;

/// The grid start for a month (1-12; out-of-range months carry into the year).
std::int64_t gridStartFor(int year, int month);
/// The month the grid shows: the grid start's own when it is a 1st, else the following one.
int displayedMonth(std::int64_t gridStart);
/// The year of displayedMonth (a grid starting in late December shows January of the next).
int displayedYear(std::int64_t gridStart);

/// The local date of cell `index` (0 to kCells - 1, row by row). Counted in calendar days, so
/// a summer-time change inside the grid neither skips nor repeats a day.
CalendarDate cellDate(std::int64_t gridStart, int index);
/// Local midnight of cell `index`'s date: what a chosen day hands to the day view.
std::int64_t cellMidnight(std::int64_t gridStart, int index);

/// The grid of the month after the displayed one; after week steps that left the grid start
/// between the 8th and the 22nd, the grid of the displayed month itself.
std::int64_t monthForward(std::int64_t gridStart);
/// The grid of the month before the displayed one.
std::int64_t monthBack(std::int64_t gridStart);
std::int64_t weekForward(std::int64_t gridStart);
std::int64_t weekBack(std::int64_t gridStart);
/// The grid of month list position `position` (0 = January) in the displayed year.
std::int64_t chooseMonth(std::int64_t gridStart, int position);

enum class ScrollBar { Year, Month };
/// The scroll codes of a vertical scroll bar.
enum class ScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    Top,
    Bottom,
    EndScroll,
};
/// A scroll of the year or the month bar. Up, page up and top move forward one year or month;
/// down, page down, thumb position and bottom move back one; thumb track and end scroll stay.
/// The result is a month grid, so a week-shifted grid snaps to its displayed month.
std::int64_t scroll(std::int64_t gridStart, ScrollBar bar, ScrollCode code);

} // namespace monthgrid
} // namespace daylark
