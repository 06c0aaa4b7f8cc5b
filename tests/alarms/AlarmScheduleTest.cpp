#include "alarms/AlarmSchedule.h"

#include "alarms/CAlarmFile.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "support/FixedClock.h"
#include "support/RecordFileTestSupport.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace daylark::test {
namespace {

std::unique_ptr<CDaylarkAlarm> makeAlarm(const std::string& name, std::int64_t time,
                                         Frequency frequency, int messageBox = 1)
{
    auto alarm = std::make_unique<CDaylarkAlarm>();
    alarm->Name = name;
    alarm->Time = time;
    alarm->Frequency = static_cast<std::int16_t>(frequency);
    alarm->MessageBoxFlag = messageBox;
    return alarm;
}

std::vector<std::string> namesOf(const std::vector<CAlarmEntry>& entries)
{
    std::vector<std::string> names;
    for (const CAlarmEntry& entry : entries) {
        names.push_back(entry.Name);
    }
    return names;
}

TEST(AlarmSchedule, OccursOnFollowsEachFrequencyInCalendarDays)
{
    using enum Frequency;
    ScopedTimeZone zone(kEastern);
    const auto at = [](int y, int m, int d, int h = 0, int min = 0) {
        return makeLocalTime(y, m, d, h, min);
    };
    const std::int64_t dentist = at(1997, 3, 3, 9, 30); // a Monday
    const std::tuple<const char*, std::int64_t, Frequency, std::int64_t, bool> cases[] = {
        {"once, its day", dentist, Once, at(1997, 3, 3, 23, 59), true},
        {"once, next day", dentist, Once, at(1997, 3, 4), false},
        {"daily, dated next year", at(1998, 6, 1), Daily, at(1997, 3, 3), true},
        {"weekly, a week before", dentist, Weekly, at(1997, 2, 24), true},
        {"weekly, other weekday", dentist, Weekly, at(1997, 3, 11), false},
        {"biweekly, two weeks on", dentist, Biweekly, at(1997, 3, 17), true},
        {"biweekly, two weeks back", dentist, Biweekly, at(1997, 2, 17, 23), true},
        {"biweekly, one week on", dentist, Biweekly, at(1997, 3, 10), false},
        {"biweekly 00:00", at(1997, 3, 3), Biweekly, at(1997, 3, 17), true},
        {"biweekly 00:00, day before", at(1997, 3, 3), Biweekly, at(1997, 3, 16, 23, 59), false},
        {"biweekly into summer", at(1997, 3, 31, 0, 30), Biweekly, at(1997, 4, 14, 0, 10), true},
        {"biweekly out of summer", at(1997, 10, 20, 23, 30), Biweekly, at(1997, 11, 3, 23, 50),
         true},
        {"monthly 31st in March", at(1997, 1, 31), Monthly, at(1997, 3, 31), true},
        {"monthly 31st, 30 April", at(1997, 1, 31), Monthly, at(1997, 4, 30), false},
        {"monthly 31st, 1 May", at(1997, 1, 31), Monthly, at(1997, 5, 1), false},
        {"yearly 29 Feb, leap year", at(1996, 2, 29), Yearly, at(2000, 2, 29), true},
        {"yearly 29 Feb, 28 Feb", at(1996, 2, 29), Yearly, at(1997, 2, 28), false},
        {"yearly 29 Feb, 1 Mar", at(1996, 2, 29), Yearly, at(1997, 3, 1), false},
        {"birthday", at(1960, 3, 5, 8), Birthday, at(1997, 3, 5), true},
        {"birthday, other month", at(1960, 3, 5, 8), Birthday, at(1997, 4, 5), false},
        {"unknown value, its day", dentist, static_cast<Frequency>(6), at(1997, 3, 3), true},
        {"unknown value, a week on", dentist, static_cast<Frequency>(6), at(1997, 3, 10), false},
    };
    for (const auto& [name, time, frequency, day, occurs] : cases) {
        SCOPED_TRACE(name);
        const auto alarm = makeAlarm("x", time, frequency);
        EXPECT_EQ(OccursOn(*alarm, day), occurs);
        EXPECT_EQ(OccursOn(CAlarmEntry(*alarm), day), occurs);
    }

    bool later = false;
    EXPECT_FALSE(SameDay(at(1997, 3, 3, 23, 59), at(1997, 3, 4), &later));
    EXPECT_TRUE(later);
    EXPECT_FALSE(SameDay(at(1997, 3, 4), at(1996, 12, 31), &later));
    EXPECT_FALSE(later);
    EXPECT_TRUE(SameDay(at(1997, 3, 4), at(1997, 3, 4, 23, 59)));
}

struct ScheduleFixture : ::testing::Test
{
    ScopedTimeZone zone{kEastern};
    TempDir dir;
    std::string path = dir.file("daylark.alm");
    RecordingSink sink;
    FixedClock clock{makeLocalTime(1997, 3, 3, 14, 0)};
    DisplayFlags flags;
    CAlarmFile alarms{path, sink};
    AlarmSchedule schedule{alarms, clock, flags, sink};

    template <class... Alarms> void store(Alarms... list)
    {
        alarms.Load();
        (alarms.add(std::move(list)), ...);
        ASSERT_EQ(alarms.Save(), 0);
        alarms.Empty();
    }
};

TEST_F(ScheduleFixture, CollectionSumsUpTodayAndRemovesPastOnceAlarms)
{
    const std::int64_t today = makeLocalTime(1997, 3, 3);
    store(makeAlarm("Dentist", makeLocalTime(1997, 3, 3, 9), Frequency::Once),
          makeAlarm("Old", makeLocalTime(1997, 3, 2, 9, 30), Frequency::Once),
          makeAlarm("Future", makeLocalTime(1997, 3, 4, 9), Frequency::Once),
          makeAlarm("Pills", makeLocalTime(1998, 1, 1, 8), Frequency::Daily),
          makeAlarm("Gym", makeLocalTime(1997, 3, 4, 18), Frequency::Weekly),
          makeAlarm("Rent", makeLocalTime(1996, 1, 3), Frequency::Monthly, 0),
          makeAlarm("Anniv", makeLocalTime(1990, 3, 3), Frequency::Yearly),
          makeAlarm("Bi", makeLocalTime(1997, 2, 17, 7), Frequency::Biweekly),
          makeAlarm("Bday", makeLocalTime(1960, 3, 3), Frequency::Birthday),
          makeAlarm("Odd", makeLocalTime(1997, 3, 3), static_cast<Frequency>(6)));

    schedule.CollectTodaysAlarms(today, /*show=*/true);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Today's Alarms");
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(sink.messages[0].text, "Missed, Sunday, March 2, 9:30:00AM 1997: Old\n"
                                     "9:00 AM: Dentist\nDaily: Pills\nMonthly: Rent\nYearly: "
                                     "Anniv\nBiweekly: Bi\nBirthday: Bday\n");
    EXPECT_EQ(namesOf(schedule.todaysAlarms()),
              (std::vector<std::string>{"Dentist", "Pills", "Rent", "Anniv", "Bi", "Bday"}));
    EXPECT_EQ(namesOf(schedule.removedAlarms()), std::vector<std::string>{"Old"});
    EXPECT_EQ(fieldOnFile<CAlarmFile>(path, &CDaylarkAlarm::Name).size(), 9u);
    EXPECT_EQ(alarms.holders(), 0);

    std::string page = "P";
    schedule.AppendRemovedAlarms(page);
    EXPECT_EQ(page, "P\r\r\nAlarm, Old, at, Sunday, March 2, 9:30:00AM 1997, removed");
    EXPECT_TRUE(schedule.removedAlarms().empty());

    // A collection without the box, for a day with nothing, leaves the summary unshown.
    sink.clear();
    schedule.CollectTodaysAlarms(makeLocalTime(1997, 3, 5), /*show=*/false);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(namesOf(schedule.removedAlarms()), (std::vector<std::string>{"Dentist", "Future"}));
}

TEST_F(ScheduleFixture, DueEntriesAreAnnouncedOnceEvenFromATickInsideTheBox)
{
    store(makeAlarm("Dentist", makeLocalTime(1997, 3, 3, 9), Frequency::Once),
          makeAlarm("Quiet", makeLocalTime(1997, 3, 1, 8), Frequency::Daily, 0),
          makeAlarm("Lunch", makeLocalTime(1997, 3, 3, 14), Frequency::Once),
          makeAlarm("Tea", makeLocalTime(1997, 3, 3, 14, 1), Frequency::Once));
    schedule.CollectTodaysAlarms(makeLocalTime(1997, 3, 3), /*show=*/false);

    int nestedResults = 0;
    sink.whileOpen = [&] { nestedResults += schedule.CheckDueAlarms() ? 1 : 0; };
    EXPECT_TRUE(schedule.CheckDueAlarms());
    EXPECT_EQ(nestedResults, 0);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_TRUE(sink.messages[0].isNotification);
    EXPECT_EQ(sink.messages[0].text, "8:00 AM: Quiet\n");
    EXPECT_EQ(sink.messages[1].text, "9:00 AM: Dentist\n2:00 PM: Lunch\n");
    EXPECT_EQ(sink.messages[1].caption, "2:00 PM:  Alarm(s)");

    sink.clear();
    clock.advance(60);
    EXPECT_TRUE(schedule.CheckDueAlarms());
    EXPECT_FALSE(schedule.CheckDueAlarms());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "2:01 PM: Tea\n");
}

// Once alarms this run announced leave quietly; the others came while the program was not
// running, and the next summary names them. Collecting a day again announces nothing again.
TEST_F(ScheduleFixture, TheSummaryNamesTheOnceAlarmsThatCameWhileTheProgramWasNotRunning)
{
    store(makeAlarm("Dentist", makeLocalTime(1997, 3, 3, 9), Frequency::Once),
          makeAlarm("Tea", makeLocalTime(1997, 3, 3, 14, 1), Frequency::Once),
          makeAlarm("Pills", makeLocalTime(1997, 3, 1, 8), Frequency::Daily));
    schedule.CollectTodaysAlarms(makeLocalTime(1997, 3, 3), /*show=*/false);
    EXPECT_TRUE(schedule.CheckDueAlarms()); // Pills and Dentist; Tea is not due yet
    schedule.CollectTodaysAlarms(makeLocalTime(1997, 3, 3, 15), /*show=*/true);
    EXPECT_FALSE(schedule.CheckDueAlarms());
    sink.clear();

    clock.time = makeLocalTime(1997, 3, 4, 9);
    schedule.CollectTodaysAlarms(clock.time, /*show=*/true);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{
                                "Missed, Monday, March 3, 2:01:00PM 1997: Tea\nDaily: Pills\n"});
    EXPECT_EQ(namesOf(schedule.removedAlarms()), (std::vector<std::string>{"Dentist", "Tea"}));
    // The summary of a day shows once.
    schedule.CollectTodaysAlarms(clock.time, /*show=*/true);
    EXPECT_EQ(sink.messages.size(), 1u);
}

// The calendar holds the alarm list with an unsaved addition when the day changes.
TEST_F(ScheduleFixture, CollectionInsideAHeldListSavesOnlyItsOwnRemoval)
{
    store(makeAlarm("Old", makeLocalTime(1997, 3, 2, 9, 30), Frequency::Once),
          makeAlarm("Stays", makeLocalTime(1997, 3, 9), Frequency::Once));

    alarms.Load();
    alarms.setChanged(false);
    alarms.add(makeAlarm("New", makeLocalTime(1997, 3, 3, 20), Frequency::Once));
    alarms.setChanged(true);

    schedule.CollectTodaysAlarms(makeLocalTime(1997, 3, 3), /*show=*/true);
    EXPECT_EQ(namesOf(schedule.todaysAlarms()), std::vector<std::string>{"New"});
    EXPECT_EQ(namesOf(schedule.removedAlarms()), std::vector<std::string>{"Old"});
    EXPECT_TRUE(alarms.changed());
    EXPECT_EQ(alarms.records().size(), 2u);
    // A collection with nothing to remove clears the flag for itself, not for the calendar.
    schedule.CollectTodaysAlarms(makeLocalTime(1997, 3, 3), /*show=*/false);
    EXPECT_TRUE(alarms.changed());
    EXPECT_EQ(fieldOnFile<CAlarmFile>(path, &CDaylarkAlarm::Name),
              std::vector<std::string>{"Stays"});

    ASSERT_EQ(alarms.Save(), 0);
    alarms.Empty();
    EXPECT_EQ(fieldOnFile<CAlarmFile>(path, &CDaylarkAlarm::Name),
              (std::vector<std::string>{"Stays", "New"}));
}

} // namespace
} // namespace daylark::test
