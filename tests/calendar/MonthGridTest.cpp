#include "calendar/MonthGrid.h"

#include "platform/LocalTime.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

namespace daylark::test {
namespace {

using namespace monthgrid;

std::string text(const CalendarDate& date)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

std::string startOf(std::int64_t gridStart)
{
    return text(cellDate(gridStart, 0));
}

std::string shown(std::int64_t gridStart)
{
    return std::to_string(displayedYear(gridStart)) + "-" +
           std::to_string(displayedMonth(gridStart));
}

TEST(MonthGrid, SixWeeksFromTheSundayOnOrBeforeTheFirst)
{
    ScopedTimeZone zone(kEastern);
    struct Case
    {
        int year, month;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {2024, 9, "2024-09-01", "2024-10-12"},  // begins on a Sunday
        {2024, 3, "2024-02-25", "2024-04-06"},  // needs six weeks: 31 March is in the last row
        {2015, 2, "2015-02-01", "2015-03-14"},  // 28 days from a Sunday
        {2027, 1, "2026-12-27", "2027-02-06"},  // the grid starts in the year before
        {2025, 13, "2025-12-28", "2026-02-07"}, // month 13 is January of the next year
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        const std::int64_t start = gridStartFor(c.year, c.month);
        EXPECT_EQ(startOf(start), c.first);
        EXPECT_EQ(text(cellDate(start, kCells - 1)), c.last);
        EXPECT_EQ(breakDown(start, false).weekday, 0);
        const int month = (c.month - 1) % 12 + 1;
        EXPECT_EQ(shown(start),
                  std::to_string(c.year + (c.month - 1) / 12) + "-" + std::to_string(month));
    }
}

TEST(MonthGrid, CellsAreConsecutiveLocalDaysAcrossSummerTimeChanges)
{
    ScopedTimeZone zone(kEastern);
    // April 1987: summer time began on Sunday 5 April, in the grid's second row. November
    // 2006: it ended on Sunday 29 October, the grid's own first day, three days before the 1st.
    for (const auto& [year, month, first] :
         {std::tuple{1987, 4, "1987-03-29"}, std::tuple{2006, 11, "2006-10-29"}}) {
        SCOPED_TRACE(first);
        const std::int64_t start = gridStartFor(year, month);
        EXPECT_EQ(startOf(start), first);
        EXPECT_EQ(localMidnight(start), start);
        EXPECT_EQ(shown(start), std::to_string(year) + "-" + std::to_string(month));
        const CalendarDate firstDate = cellDate(start, 0);
        const long firstDay = civilDayNumber(firstDate.year, firstDate.month, firstDate.day);
        for (int i = 0; i < kCells; ++i) {
            const CalendarDate date = cellDate(start, i);
            EXPECT_EQ(civilDayNumber(date.year, date.month, date.day), firstDay + i) << i;
            const TimeFields midnight = breakDown(cellMidnight(start, i), false);
            EXPECT_EQ(midnight.hour, 0) << i;
            EXPECT_EQ(midnight.day, date.day) << i;
        }
        // A week step over the change lands on the next Sunday's midnight, and back again.
        const std::int64_t week = weekForward(start);
        EXPECT_EQ(localMidnight(week), week);
        EXPECT_EQ(weekBack(week), start);
    }
}

TEST(MonthGrid, MonthStepsAfterWeekSteps)
{
    ScopedTimeZone zone(kEastern);
    enum Step { MonthOn, MonthBack, WeekOn, WeekBack };
    struct Case
    {
        const char* name;
        int year, month;
        std::vector<Step> steps;
        const char* start; // the grid start after the steps
        const char* shows;
    };
    const Case cases[] = {
        {"Sunday 1st back", 2024, 9, {MonthBack}, "2024-07-28", "2024-8"},
        {"Sunday 1st on", 2024, 9, {MonthOn}, "2024-09-29", "2024-10"},
        {"late start on", 2024, 3, {MonthOn}, "2024-03-31", "2024-4"},
        {"late start back", 2024, 3, {MonthBack}, "2024-01-28", "2024-2"},
        {"over the year on", 2024, 12, {MonthOn}, "2024-12-29", "2025-1"},
        {"over the year back", 2025, 1, {MonthBack}, "2024-12-01", "2024-12"},
        {"week on shows the next month", 2024, 9, {WeekOn}, "2024-09-08", "2024-10"},
        // From the 22nd the month step goes to the grid of the displayed month itself.
        {"three weeks then on",
         2024,
         9,
         {WeekOn, WeekOn, WeekOn, MonthOn},
         "2024-09-29",
         "2024-10"},
        {"three weeks then back",
         2024,
         9,
         {WeekOn, WeekOn, WeekOn, MonthBack},
         "2024-09-01",
         "2024-9"},
        {"four weeks then on",
         2024,
         9,
         {WeekOn, WeekOn, WeekOn, WeekOn, MonthOn},
         "2024-10-27",
         "2024-11"},
        {"week back then on", 2024, 9, {WeekBack, MonthOn}, "2024-09-29", "2024-10"},
        {"week back then back", 2024, 9, {WeekBack, MonthBack}, "2024-07-28", "2024-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int64_t start = gridStartFor(c.year, c.month);
        for (const Step step : c.steps) {
            switch (step) {
            case MonthOn:
                start = monthForward(start);
                break;
            case MonthBack:
                start = monthBack(start);
                break;
            case WeekOn:
                start = weekForward(start);
                break;
            case WeekBack:
                start = weekBack(start);
                break;
            }
        }
        EXPECT_EQ(startOf(start), c.start);
        EXPECT_EQ(shown(start), c.shows);
    }
}

TEST(MonthGrid, MonthListAndScrollBarsGoToMonthGrids)
{
    ScopedTimeZone zone(kEastern);
    const std::int64_t january = gridStartFor(2025, 1);   // starts Sunday 29 December 2024
    const std::int64_t september = gridStartFor(2024, 9); // starts on the 1st
    const std::int64_t shifted = weekForward(weekForward(september)); // 15 September
    using enum ScrollCode;
    struct Case
    {
        const char* name;
        std::int64_t start;
        ScrollBar bar;
        ScrollCode code;
        const char* shows;
    };
    const Case cases[] = {
        {"year up from December", january, ScrollBar::Year, LineUp, "2026-1"},
        {"year page up", january, ScrollBar::Year, PageUp, "2026-1"},
        {"year top", january, ScrollBar::Year, Top, "2026-1"},
        {"year down from December", january, ScrollBar::Year, LineDown, "2024-1"},
        {"year page down", january, ScrollBar::Year, PageDown, "2024-1"},
        {"year thumb position", january, ScrollBar::Year, ThumbPosition, "2024-1"},
        {"year bottom", january, ScrollBar::Year, Bottom, "2024-1"},
        {"year thumb track", january, ScrollBar::Year, ThumbTrack, "2025-1"},
        {"year end scroll", january, ScrollBar::Year, EndScroll, "2025-1"},
        {"month up from December", january, ScrollBar::Month, LineUp, "2025-2"},
        {"month down from December", january, ScrollBar::Month, Bottom, "2024-12"},
        {"month up from a 1st", september, ScrollBar::Month, PageUp, "2024-10"},
        {"month down from a 1st", september, ScrollBar::Month, LineDown, "2024-8"},
        {"year up from a 1st", september, ScrollBar::Year, Top, "2025-9"},
        {"end scroll snaps a shifted grid", shifted, ScrollBar::Month, EndScroll, "2024-10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int64_t start = scroll(c.start, c.bar, c.code);
        EXPECT_EQ(shown(start), c.shows);
        EXPECT_EQ(start, gridStartFor(displayedYear(start), displayedMonth(start)));
    }
    // The month list counts in the displayed year, not the grid start's.
    EXPECT_EQ(shown(chooseMonth(january, 5)), "2025-6");
    EXPECT_EQ(shown(chooseMonth(shifted, 0)), "2024-1");
}

} // namespace
} // namespace daylark::test
