#include "calendar/MonthGrid.h"

#include "platform/LocalTime.h"

namespace daylark::monthgrid {

namespace {

struct MonthOfYear
{
    int year;
    int month;
};

/// Carries a month outside 1-12 into the year.
MonthOfYear normalised(int year, int month)
{
    const int zeroBased = month - 1;
    const int carry = zeroBased >= 0 ? zeroBased / 12 : (zeroBased - 11) / 12;
    return {year + carry, zeroBased - carry * 12 + 1};
}

std::int64_t gridStartFor(MonthOfYear target)
{
    return monthgrid::gridStartFor(target.year, target.month);
}

} // namespace

std::int64_t gridStartFor(int year, int month)
{
    const MonthOfYear target = normalised(year, month);
    const std::int64_t first = makeLocalTime(target.year, target.month, 1);
    // Calendar days back to the Sunday, not multiples of 86,400 seconds: a summer-time change
    // between that Sunday and the 1st would otherwise leave the grid start an hour off midnight.
    return addLocalDays(first, -breakDown(first, /*greenwich=*/false).weekday);
}

int displayedMonth(std::int64_t gridStart)
{
    const TimeFields start = breakDown(gridStart, /*greenwich=*/false);
    return start.day == 1 ? start.month : start.month % 12 + 1;
}

int displayedYear(std::int64_t gridStart)
{
    const TimeFields start = breakDown(gridStart, /*greenwich=*/false);
    return start.day != 1 && start.month == 12 ? start.year + 1 : start.year;
}

CalendarDate cellDate(std::int64_t gridStart, int index)
{
    const TimeFields cell = breakDown(cellMidnight(gridStart, index), /*greenwich=*/false);
    return {cell.year, cell.month, cell.day};
}

std::int64_t cellMidnight(std::int64_t gridStart, int index)
{
    return localMidnight(addLocalDays(gridStart, index));
}

std::int64_t monthForward(std::int64_t gridStart)
{
    const TimeFields start = breakDown(gridStart, /*greenwich=*/false);
    // A grid start from the 8th to the 22nd lies inside the displayed month (week steps put it
    // there): one month on from the grid start's own month is the displayed month's grid.
    const bool insideMonth = start.day == 1 || (start.day >= 8 && start.day <= 22);
    return gridStartFor(normalised(start.year, start.month + (insideMonth ? 1 : 2)));
}

std::int64_t monthBack(std::int64_t gridStart)
{
    const TimeFields start = breakDown(gridStart, /*greenwich=*/false);
    return gridStartFor(normalised(start.year, start.day == 1 ? start.month - 1 : start.month));
}

std::int64_t weekForward(std::int64_t gridStart)
{
    return addLocalDays(gridStart, 7);
}

std::int64_t weekBack(std::int64_t gridStart)
{
    return addLocalDays(gridStart, -7);
}

std::int64_t chooseMonth(std::int64_t gridStart, int position)
{
    return gridStartFor(displayedYear(gridStart), position + 1);
}

std::int64_t scroll(std::int64_t gridStart, ScrollBar bar, ScrollCode code)
{
    const TimeFields start = breakDown(gridStart, /*greenwich=*/false);
    int step = 0;
    switch (code) {
    case ScrollCode::LineUp:
    case ScrollCode::PageUp:
    case ScrollCode::Top:
        step = 1;
        break;
    case ScrollCode::LineDown:
    case ScrollCode::PageDown:
    case ScrollCode::ThumbPosition:
    case ScrollCode::Bottom:
        step = -1;
        break;
    case ScrollCode::ThumbTrack:
    case ScrollCode::EndScroll:
        break;
    }
    MonthOfYear target{start.year, start.month};
    if (bar == ScrollBar::Year) {
        target.year += step;
    } else {
        target = normalised(target.year, target.month + step);
    }
    // The bars count from the grid start's month; a grid that does not start on a 1st shows
    // the month after it.
    if (start.day != 1) {
        target = normalised(target.year, target.month + 1);
    }
    return gridStartFor(target);
}

} // namespace daylark::monthgrid
