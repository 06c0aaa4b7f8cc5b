#include "calendar/CalendarDay.h"

#include "platform/CalendarColours.h"

#include <gtest/gtest.h>

#include <string>

namespace daylark::test {
namespace {

TEST(CalendarDay, FixedHolidays)
{
    struct Case
    {
        CalendarDate date;
        const char* holiday; // null: none
    };
    const Case cases[] = {
        {{2024, 1, 1}, "Happy New Year"},
        {{2024, 1, 2}, nullptr},
        {{2024, 7, 4}, "4th of July"},
        {{2024, 4, 7}, nullptr},
        {{2024, 12, 25}, "Christmas!"},
        {{2024, 12, 24}, nullptr},
        // The fourth Thursday of November, also when 29 November is a Thursday.
        {{2018, 11, 22}, "Thanksgiving"},
        {{2018, 11, 29}, nullptr},
        {{2023, 11, 23}, "Thanksgiving"},
        {{2023, 11, 30}, nullptr},
        {{2024, 11, 28}, "Thanksgiving"}, // 1 November a Friday: the latest date
        {{2024, 11, 21}, nullptr},
        {{2012, 11, 22}, "Thanksgiving"}, // 1 November a Thursday: the earliest date
        {{2012, 11, 29}, nullptr},
        {{1969, 11, 27}, "Thanksgiving"}, // before 1970
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.date.year) + "-" + std::to_string(c.date.month) + "-" +
                     std::to_string(c.date.day));
        const char* holiday = holidayOf(c.date);
        EXPECT_EQ(holiday == nullptr ? "" : holiday, std::string(c.holiday ? c.holiday : ""));
    }
}

TEST(CalendarDay, DayTextsCarryTheShortNameOnTheFirstOnly)
{
    EXPECT_EQ(dayText({2024, 9, 1}), "Sept 1");
    EXPECT_EQ(dayText({2024, 5, 1}), "May 1");
    EXPECT_EQ(dayText({2024, 9, 2}), " 2");
    EXPECT_EQ(dayText({2024, 9, 30}), " 30");
    EXPECT_EQ(std::string(longMonthName(2)), "February");
    EXPECT_EQ(std::string(longMonthName(12)), "December");
    EXPECT_EQ(std::string(shortMonthName(12)), "Dec");
    EXPECT_EQ(std::string(shortMonthName(13)), "");
}

TEST(CalendarDay, TodayIsTheWholeDateAndOtherMonthsAreGrey)
{
    CalendarColours colours;
    colours.currentMonth = 1;
    colours.notCurrentMonth = 2;
    colours.today = 3;
    colours.holiday = 4;
    const CalendarDate today{2024, 3, 5};
    struct Case
    {
        CalendarDate cell;
        int displayed;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {{2024, 3, 5}, 3, 3}, {{2024, 3, 5}, 4, 3}, // today among the leading cells of April's grid
        {{2023, 3, 5}, 3, 1},                       // same day and month, another year
        {{2025, 3, 5}, 2, 2}, {{2024, 3, 6}, 3, 1}, {{2024, 2, 28}, 3, 2}, {{2024, 4, 1}, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cell.year) + "-" + std::to_string(c.cell.month) + "-" +
                     std::to_string(c.cell.day) + " in " + std::to_string(c.displayed));
        EXPECT_EQ(classColour(cellClass(c.cell, c.displayed, today), colours), c.colour);
    }
}

} // namespace
} // namespace daylark::test
