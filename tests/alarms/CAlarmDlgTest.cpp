#include "alarms/CAlarmDlg.h"

#include "alarms/AlarmSchedule.h"
#include "alarms/CAlarmFile.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <memory>

namespace daylark::test {
namespace {

/// New York's rule since 2007, for the days of 2025.
constexpr const char* kEastern2025 = "EST5EDT,M3.2.0,M11.1.0";

/// An alarm dialog over an alarm file that its holder loaded, with today's alarms collected.
struct Dialog
{
    /// The clock is set by the test, once the zone holds.
    explicit Dialog(const char* zone = kEastern2025)
        : zone(zone)
    {
        alarms.Load();
    }

    const CDaylarkAlarm& alarm(std::size_t index) const { return *alarms.records().at(index); }
    /// Types a time and a name into the fields.
    void type(const char* name, const char* hour, const char* minute, bool pm = false)
    {
        dialog.setName(name);
        dialog.setHour(hour);
        dialog.setMinute(minute);
        dialog.setPm(pm);
    }

    ScopedTimeZone zone;
    TempDir dir;
    RecordingSink sink;
    FixedClock clock;
    DisplayFlags flags;
    CAlarmFile alarms{dir.file("daylark.alm"), sink};
    AlarmSchedule schedule{alarms, clock, flags, sink};
    CAlarmDlg dialog{alarms, schedule, clock, flags, sink};
};

TEST(CAlarmDlg, OpensWithTheTimeAsTheClockShowsIt)
{
    Dialog d;
    d.clock.time = makeLocalTime(2025, 1, 15, 14, 5);
    d.dialog.Open(d.clock.now());
    EXPECT_EQ(d.dialog.title(), "Wednesday, January 15, 2025");
    EXPECT_EQ(d.dialog.name(), "Alarm Name");
    EXPECT_EQ(d.dialog.hour(), "2");
    EXPECT_EQ(d.dialog.minute(), "5");
    EXPECT_TRUE(d.dialog.pm());
    EXPECT_EQ(d.dialog.frequencyButton(), 0u);
    EXPECT_EQ(d.dialog.defaultButton(), CAlarmDlg::DefaultButton::Add);

    d.clock.time = makeLocalTime(2025, 1, 15, 0, 30);
    d.dialog.Open(d.clock.now());
    EXPECT_EQ(d.dialog.hour(), "12"); // midnight is 12 AM
    EXPECT_FALSE(d.dialog.pm());

    d.flags.use24HourClock = true;
    d.dialog.Open(d.clock.now());
    EXPECT_EQ(d.dialog.hour(), "0");
    EXPECT_FALSE(d.dialog.showsAmPm());
}

TEST(CAlarmDlg, TwelveAmIsMidnightAndBadFieldsChangeNothing)
{
    Dialog d;
    d.clock.time = makeLocalTime(2025, 1, 15, 9);
    d.dialog.Open(makeLocalTime(2025, 1, 20));
    d.type("Midnight", "12", "0");
    EXPECT_TRUE(d.dialog.Add());
    d.type("Noon", "12", "0", /*pm=*/true);
    EXPECT_TRUE(d.dialog.Add());
    d.type("Early", "0", "15");
    EXPECT_TRUE(d.dialog.Add());
    EXPECT_EQ(d.alarm(0).Time, makeLocalTime(2025, 1, 20, 0, 0));
    EXPECT_EQ(d.alarm(1).Time, makeLocalTime(2025, 1, 20, 12, 0));
    EXPECT_EQ(d.alarm(2).Time, makeLocalTime(2025, 1, 20, 0, 15));
    EXPECT_EQ(d.dialog.lines(), (std::vector<std::string>{"12:00 AM  Midnight", "12:00 PM  Noon",
                                                          "12:15 AM  Early"}));

    for (const auto& [hour, minute] :
         {std::pair("13", "0"), std::pair("x", "0"), std::pair("", "0"), std::pair("9", "60"),
          std::pair("9", "-1"), std::pair("9", "5a")}) {
        d.type("Bad", hour, minute);
        EXPECT_FALSE(d.dialog.Add()) << hour << ":" << minute;
    }
    EXPECT_EQ(d.alarms.records().size(), 3u);
    EXPECT_EQ(d.sink.texts().front(), "The hour must be a number from 0 to 12.");
    EXPECT_EQ(d.sink.texts().back(), "The minute must be a number from 0 to 59.");
    EXPECT_EQ(d.sink.messages.back().caption, "Daylark Alarms");

    // A bad time stops Apply before anything changes; an empty name adds nothing.
    d.dialog.Select(1);
    d.type("Lunch", "25", "0");
    d.dialog.Apply();
    EXPECT_EQ(d.alarm(1).Name, "Noon");
    d.type("", "9", "0");
    EXPECT_FALSE(d.dialog.Add());
    EXPECT_EQ(d.dialog.lines().size(), 3u);
}

TEST(CAlarmDlg, GreenwichTimeIsTheInstantOnTheChosenDay)
{
    Dialog d;
    d.clock.time = makeLocalTime(2025, 1, 15, 20);
    d.flags.useGmt = true;
    d.dialog.Open(makeLocalTime(2025, 1, 15));
    EXPECT_EQ(d.dialog.hour(), "1"); // 01:00 Greenwich, the next day there
    EXPECT_FALSE(d.dialog.pm());
    d.type("Late", "1", "0");
    EXPECT_TRUE(d.dialog.Add());
    d.type("Night", "6", "0");
    EXPECT_TRUE(d.dialog.Add());
    EXPECT_EQ(d.alarm(0).Time, makeLocalTime(2025, 1, 15, 20, 0));
    EXPECT_EQ(d.alarm(1).Time, makeLocalTime(2025, 1, 15, 1, 0));
    d.dialog.Select(0);
    EXPECT_EQ(d.dialog.hour(), "1");
    EXPECT_FALSE(d.dialog.pm());
    d.dialog.Select(1);
    EXPECT_EQ(d.dialog.hour(), "6");

    // The day summer time begins has 23 hours: 04:30 Greenwich is no time of it.
    d.dialog.Open(makeLocalTime(2025, 3, 9));
    d.type("Gap", "4", "30");
    EXPECT_FALSE(d.dialog.Add());
    EXPECT_NE(d.sink.texts().back().find("offset from Greenwich Mean Time is -5 hours"),
              std::string::npos);
    EXPECT_NE(d.sink.texts().back().find("the day before this one"), std::string::npos);
    d.type("Gap", "5", "30");
    EXPECT_TRUE(d.dialog.Add());
    EXPECT_EQ(d.alarm(2).Time, makeLocalTime(2025, 3, 9, 0, 30));

    // Half an hour east: 20:00 Greenwich on the 14th is 01:30 on the 15th there.
    Dialog india("IST-5:30");
    india.clock.time = makeLocalTime(2025, 1, 15, 9);
    india.flags.useGmt = true;
    india.dialog.Open(makeLocalTime(2025, 1, 15));
    india.type("Call", "8", "0", /*pm=*/true);
    EXPECT_TRUE(india.dialog.Add());
    EXPECT_EQ(india.alarm(0).Time, makeLocalTime(2025, 1, 15, 1, 30));
    EXPECT_EQ(india.dialog.lines().back(), "8:00 PM  Call");
}

TEST(CAlarmDlg, EachLineIsItsOwnAlarmAlsoWhenNamesRepeatOrItIsNew)
{
    Dialog d;
    d.clock.time = makeLocalTime(2025, 1, 15, 9);
    d.dialog.Open(makeLocalTime(2025, 1, 20));
    d.type("Pill", "8", "0");
    d.dialog.Add();
    d.type("Pill", "8", "0", /*pm=*/true);
    d.dialog.setFrequencyButton(6); // Birthday
    d.dialog.Add();

    d.dialog.Select(1);
    EXPECT_EQ(d.dialog.defaultButton(), CAlarmDlg::DefaultButton::Apply);
    EXPECT_EQ(d.dialog.hour(), "8");
    EXPECT_TRUE(d.dialog.pm());
    EXPECT_EQ(d.dialog.frequencyButton(), 6u);
    d.dialog.setMinute("30");
    d.dialog.Apply(); // the second one, added in this opening, and still a birthday
    EXPECT_EQ(d.alarm(1).Time, makeLocalTime(2025, 1, 20, 20, 30));
    EXPECT_EQ(d.alarm(1).Frequency, 7);
    EXPECT_EQ(d.alarm(0).Time, makeLocalTime(2025, 1, 20, 8, 0));

    // Deleting a recurring alarm asks first.
    d.sink.answers = {MessageAnswer::No, MessageAnswer::Yes};
    d.dialog.Delete();
    EXPECT_EQ(d.alarms.records().size(), 2u);
    EXPECT_EQ(d.sink.texts().back(), "Delete Pill on every day it recurs?");
    d.dialog.Delete();
    ASSERT_EQ(d.alarms.records().size(), 1u);
    EXPECT_EQ(d.alarm(0).Time, makeLocalTime(2025, 1, 20, 8, 0));
    EXPECT_EQ(d.dialog.lines(), std::vector<std::string>{"8:00 AM  Pill"});
    EXPECT_FALSE(d.dialog.selection());

    d.dialog.Select(0);
    d.sink.clear();
    d.dialog.Delete(); // a once alarm goes without a question
    EXPECT_TRUE(d.alarms.records().empty());
    EXPECT_TRUE(d.sink.messages.empty());
    EXPECT_TRUE(d.alarms.changed());

    d.dialog.Apply();
    EXPECT_EQ(d.sink.texts().back(), std::string(CAlarmDlg::kApplyWithoutSelection));
}

TEST(CAlarmDlg, TodaysAlarmsFollowAddApplyAndDelete)
{
    Dialog d;
    d.clock.time = makeLocalTime(2025, 1, 15, 10);
    d.dialog.Open(d.clock.now());
    d.type("Tea", "9", "0");
    d.dialog.Add();
    d.type("Walk", "9", "30");
    d.dialog.Add();
    ASSERT_EQ(d.schedule.todaysAlarms().size(), 2u);
    d.schedule.CheckDueAlarms();
    EXPECT_EQ(d.sink.texts().back(), "9:00 AM: Tea\n9:30 AM: Walk\n");

    // Moved to a time that has come: announced again at the next tick.
    d.dialog.Select(0);
    d.dialog.setName("Green tea");
    d.dialog.setMinute("45");
    d.dialog.Apply();
    d.schedule.CheckDueAlarms();
    EXPECT_EQ(d.sink.texts().back(), "9:45 AM: Green tea\n");

    d.dialog.Select(1);
    d.dialog.Delete();
    ASSERT_EQ(d.schedule.todaysAlarms().size(), 1u);
    EXPECT_EQ(d.schedule.todaysAlarms()[0].Name, "Green tea");
}

} // namespace
} // namespace daylark::test
