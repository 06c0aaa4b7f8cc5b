#include "app/TrayMenu.h"

#include "alarms/CAlarmEntry.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace daylark::test {
namespace {

using Kind = TrayMenu::Entry::Kind;
using Command = TrayMenu::Command;

/// An alarm at a local clock time of `date` (the date a recurring alarm was set on).
CAlarmEntry alarmAt(int year, int month, int day, int hour, int minute, std::string name,
                    bool announced = false)
{
    CAlarmEntry entry;
    entry.Time = makeLocalTime(year, month, day, hour, minute);
    entry.Name = std::move(name);
    entry.Announced = announced ? 1 : 0;
    return entry;
}

std::vector<std::string> alarmTexts(const std::vector<TrayMenu::Entry>& menu)
{
    std::vector<std::string> texts;
    for (const auto& entry : menu) {
        if (entry.kind == Kind::Alarm) {
            texts.push_back(entry.text + (entry.announced ? " (done)" : ""));
        }
    }
    return texts;
}

TEST(TrayMenu, AlarmsInClockOrderThenShowOrHideThenQuit)
{
    ScopedTimeZone zone(kEastern);
    DisplayFlags flags{.use24HourClock = true};
    const TrayMenu tray(flags);
    // File order is not clock order; a recurring alarm keeps the date it was set on, in
    // summer time, while today is in winter.
    const std::vector<CAlarmEntry> todays = {
        alarmAt(1996, 7, 1, 19, 0, "Choir"),
        alarmAt(1997, 3, 3, 9, 0, "Rent", /*announced=*/true),
        alarmAt(1997, 3, 3, 9, 0, "Post"),
        alarmAt(1997, 3, 3, 10, 30, "Team meeting"),
    };
    const auto menu = tray.entries(todays, WindowView::Shown);
    EXPECT_EQ(alarmTexts(menu), (std::vector<std::string>{"09:00 Rent (done)", "09:00 Post",
                                                          "10:30 Team meeting", "19:00 Choir"}));
    ASSERT_EQ(menu.size(), 7u);
    EXPECT_EQ(menu[4].kind, Kind::Separator);
    EXPECT_EQ(menu[5].kind, Kind::Window);
    EXPECT_EQ(menu[5].command, Command::HideWindow);
    EXPECT_EQ(menu[6].command, Command::Quit);
    EXPECT_EQ(menu[0].command, Command::ShowWindow);
    EXPECT_EQ(tray.entries(todays, WindowView::Hidden)[5].command, Command::ShowWindow);

    flags.use24HourClock = false; // the flags are read at each build
    EXPECT_EQ(alarmTexts(tray.entries(todays, WindowView::Shown))[2], "10:30 AM: Team meeting");
}

TEST(TrayMenu, TooManyAlarmsDropTheEarliestAnnouncedFirstAndCountTheRest)
{
    ScopedTimeZone zone("UTC");
    const DisplayFlags flags{.use24HourClock = true};
    std::vector<CAlarmEntry> todays;
    // 16 alarms, one an hour from 6:00; those before 10:00 have rung, except 7:00.
    for (int hour = 6; hour < 22; ++hour) {
        const bool rung = hour < 10 && hour != 7;
        todays.push_back(alarmAt(2024, 5, 2, hour, 0, "A" + std::to_string(hour), rung));
    }
    const auto menu = TrayMenu(flags).entries(todays, WindowView::Shown);
    const auto texts = alarmTexts(menu);
    ASSERT_EQ(texts.size(), TrayMenu::kMaxAlarms);
    // 6, 8 and 9 gave way; 7 is still to come; 4 over the limit, so one more is cut at the end.
    EXPECT_EQ(texts.front(), "07:00 A7");
    EXPECT_EQ(texts[1], "10:00 A10");
    EXPECT_EQ(texts.back(), "20:00 A20");
    const auto more = menu[TrayMenu::kMaxAlarms];
    EXPECT_EQ(more.kind, Kind::More);
    EXPECT_EQ(more.hidden, 4u);

    // Exactly as many as fit: no More line.
    todays.resize(TrayMenu::kMaxAlarms);
    const auto full = TrayMenu(flags).entries(todays, WindowView::Shown);
    EXPECT_EQ(alarmTexts(full).size(), TrayMenu::kMaxAlarms);
    EXPECT_EQ(full[TrayMenu::kMaxAlarms].kind, Kind::Separator);
}

} // namespace
} // namespace daylark::test
