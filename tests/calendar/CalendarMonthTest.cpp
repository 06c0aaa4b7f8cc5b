#include "calendar/CalendarMonth.h"

#include "alarms/CDaylarkAlarm.h"
#include "platform/CalendarColours.h"
#include "platform/LocalTime.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace daylark::test {
namespace {

std::unique_ptr<CDaylarkAlarm> alarm(const char* name, const char* at, Frequency frequency,
                                     bool visible = true)
{
    auto made = std::make_unique<CDaylarkAlarm>();
    made->Name = name;
    made->Time = parseLocalDateTime(at).value();
    made->Frequency = static_cast<std::int16_t>(frequency);
    made->VisibleOnCalendar = visible ? 1 : 0;
    return made;
}

TEST(CalendarMonth, AlarmsAreCopiedByMonthOrFrequencyAndShownWhereTheyFall)
{
    ScopedTimeZone zone(kEastern);
    std::vector<std::unique_ptr<CDaylarkAlarm>> alarms;
    alarms.push_back(alarm("Feb once", "2024-02-27 10:00", Frequency::Once));
    alarms.push_back(alarm("Old April once", "2023-04-02 10:00", Frequency::Once));
    alarms.push_back(alarm("May yearly", "2023-05-01 08:00", Frequency::Yearly));
    alarms.push_back(alarm("Jan once", "2024-01-30 08:00", Frequency::Once));
    alarms.push_back(alarm("Gym", "2020-01-07 18:00", Frequency::Weekly)); // Tuesdays
    alarms.push_back(alarm("Rent", "2023-08-01 09:00", Frequency::Monthly));
    alarms.push_back(alarm("Hidden", "2022-06-15 07:00", Frequency::Daily, /*visible=*/false));
    alarms.push_back(alarm("Ann", "1990-04-03 00:00", Frequency::Birthday));
    alarms.push_back(alarm("July yearly", "2020-07-04 12:00", Frequency::Yearly));
    alarms.push_back(alarm("Fortnight", "2024-01-02 12:00", Frequency::Biweekly));
    alarms.push_back(alarm("Ides", "2019-03-15 12:00", Frequency::Yearly));
    alarms.push_back(alarm("Hidden once", "2024-03-20 12:00", Frequency::Once, false));

    CalendarMonth month(monthgrid::gridStartFor(2024, 3)); // 25 February to 6 April
    month.rebuildAlarmEntries(alarms);
    std::vector<std::string> copied;
    for (const CAlarmEntry& entry : month.alarmEntries()) {
        copied.push_back(entry.Name);
    }
    EXPECT_EQ(copied,
              (std::vector<std::string>{"Feb once", "Old April once", "Gym", "Rent", "Hidden",
                                        "Ann", "Fortnight", "Ides", "Hidden once"}));

    std::map<std::string, std::vector<std::string>> shownOn; // name -> cell days
    for (int i = 0; i < monthgrid::kCells; ++i) {
        const CalendarCell cell = month.cell(i, {2024, 3, 5}, CalendarColours{});
        for (const std::string& name : cell.alarmNames) {
            shownOn[name].push_back(std::to_string(cell.date.month) + "/" +
                                    std::to_string(cell.date.day));
        }
    }
    using Days = std::vector<std::string>;
    EXPECT_EQ(shownOn, (std::map<std::string, Days>{
                           {"Feb once", Days{"2/27"}},
                           {"Gym", Days{"2/27", "3/5", "3/12", "3/19", "3/26", "4/2"}},
                           {"Rent", Days{"3/1", "4/1"}},
                           {"Ann", Days{"4/3"}},
                           {"Fortnight", Days{"2/27", "3/12", "3/26"}},
                           {"Ides", Days{"3/15"}},
                       }));
    // Names in the order of the entries.
    EXPECT_EQ(month.cell(2, {2024, 3, 5}, CalendarColours{}).alarmNames,
              (std::vector<std::string>{"Feb once", "Gym", "Fortnight"}));

    // Moving on rebuilds the entries for the new month: February's once alarm leaves.
    month.setGridStart(monthgrid::monthForward(month.gridStart()));
    month.rebuildAlarmEntries(alarms);
    copied.clear();
    for (const CAlarmEntry& entry : month.alarmEntries()) {
        copied.push_back(entry.Name);
    }
    EXPECT_EQ(copied,
              (std::vector<std::string>{"Old April once", "May yearly", "Gym", "Rent", "Hidden",
                                        "Ann", "Fortnight", "Ides", "Hidden once"}));
}

TEST(CalendarMonth, CellsCarryTextColoursAndTheirMidnight)
{
    ScopedTimeZone zone(kEastern);
    CalendarColours colours;
    colours.currentMonth = 0x0000FF;
    colours.notCurrentMonth = 0x00FF00;
    colours.today = 0xFF0000;
    colours.holiday = 0x123456;
    const CalendarMonth month(monthgrid::gridStartFor(2025, 1)); // from 29 December 2024
    const CalendarDate today{2025, 1, 1};
    struct Case
    {
        int index;
        const char* text;
        CellClass cellClass;
        std::uint32_t fill;
        std::uint32_t textBackground;
    };
    const Case cases[] = {
        {0, " 29", CellClass::Other, 0x00FF00, 0x00FF00},
        {3, "Happy New Year", CellClass::Today, 0x123456, 0xFF0000},
        {4, " 2", CellClass::Month, 0x0000FF, 0x0000FF},
        {34, "Feb 1", CellClass::Other, 0x00FF00, 0x00FF00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CalendarCell cell = month.cell(c.index, today, colours);
        EXPECT_EQ(cell.text, c.text);
        EXPECT_EQ(cell.cellClass, c.cellClass);
        EXPECT_EQ(cell.fill, c.fill);
        EXPECT_EQ(cell.textBackground, c.textBackground);
        EXPECT_EQ(cell.midnight, makeLocalTime(cell.date.year, cell.date.month, cell.date.day));
    }
}

} // namespace
} // namespace daylark::test
