#include "app/DaylarkApp.h"

#include "alarms/CAlarmDlg.h"
#include "calendar/CCalendarDlg.h"
#include "calendar/CDayViewDlg.h"
#include "platform/FileSystem.h"
#include "records/CFutureFile.h"
#include "records/CListDlg.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "sync/CBackupSyncDlg.h"

#include <gtest/gtest.h>

#include <utility>

namespace daylark::test {
namespace {

constexpr std::int64_t kMorning = 857397900; // Monday 3 March 1997, 9:05 in New York

/// The program's core over a new data set, started and shown on Monday 3 March 1997 at 9:05.
struct DaylarkAppTest : ::testing::Test
{
    DaylarkAppTest()
    {
        app.start();
        app.frame().InitialShow(WindowPlacement::kShowNormal);
    }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    RecordingSink sink;
    FixedClock clock{kMorning};
    const Locations locations =
        Locations::resolve({dir.file("data"), dir.file("daylark.ini"), {}},
                           [](const char*) -> const char* { return nullptr; });
    DaylarkApp app{locations, sink, clock};
};

TEST_F(DaylarkAppTest, TheTickMovesARunningProgramToTheNextDayAndAnnouncesItsAlarms)
{
    app.doc().pageText().setText("{} water the plants\r\n{x} post the letter\r\n");
    app.frame().IdleSave();
    EXPECT_EQ(app.view().caption(), "Monday, March 3, 1997");

    // Tuesday's alarm at 8:00 comes due with the first tick after the change of day.
    CDaylarkAlarm alarm;
    alarm.Name = "Dentist";
    alarm.Frequency = static_cast<std::int16_t>(Frequency::Once);
    alarm.Time = kMorning + 86400 - 3900;
    app.frame().alarmFile().Load();
    app.frame().alarmFile().add(std::make_unique<CDaylarkAlarm>(alarm));
    app.frame().alarmFile().Save();
    app.frame().alarmFile().Empty();

    clock.time = kMorning + 86400; // Tuesday, 9:05
    sink.clear();
    app.frame().ClockTick();
    EXPECT_EQ(app.view().caption(), "Tuesday, March 4, 1997");
    EXPECT_EQ(app.doc().pageText().text(), "{} water the plants\r\r\n");
    const auto texts = sink.texts();
    ASSERT_EQ(texts.size(), 2u) << ::testing::PrintToString(texts);
    EXPECT_EQ(texts[0], "8:00 AM: Dentist\n");                 // the day's summary
    EXPECT_EQ(sink.messages[1].caption, "9:05 AM:  Alarm(s)"); // and its announcement
}

TEST_F(DaylarkAppTest, TheCalendarSharesItsAlarmsWithAChangeOfDayAndSavesOnlyWhatChanged)
{
    CAlarmFile& alarms = app.frame().alarmFile();
    CDaylarkAlarm dentist;
    dentist.Name = "Dentist";
    dentist.Time = kMorning + 3600; // today, 10:05
    dentist.Frequency = static_cast<std::int16_t>(Frequency::Once);
    dentist.VisibleOnCalendar = 1;
    alarms.Load();
    alarms.add(std::make_unique<CDaylarkAlarm>(dentist));
    alarms.Save();
    alarms.Empty();

    // The calendar is open over the change of day, which files the passed once alarm; the
    // calendar itself adds one. Neither change may undo the other.
    app.frame().Calendar([&](CCalendarDlg& calendar) {
        calendar.Open();
        EXPECT_EQ(calendar.cell(calendar.focusIndex()).alarmNames,
                  std::vector<std::string>{"Dentist"});
        clock.time = kMorning + 86400;
        app.frame().ClockTick();
        EXPECT_EQ(app.view().caption(), "Tuesday, March 4, 1997");
        CDaylarkAlarm party;
        party.Name = "Party";
        party.Time = kMorning + 4 * 86400;
        alarms.add(std::make_unique<CDaylarkAlarm>(party));
        alarms.setChanged(true);
        calendar.Ok({});
    });
    EXPECT_EQ(alarms.holders(), 0);
    EXPECT_TRUE(alarms.records().empty());
    alarms.Load();
    ASSERT_EQ(alarms.records().size(), 1u);
    EXPECT_EQ(alarms.records()[0]->Name, "Party");
    alarms.Empty();
    EXPECT_EQ(app.frame().calendarPlacement(), WindowPlacement{});

    // A calendar that changed nothing writes nothing.
    const auto written = [&] {
        const FileStatus status = fileStatus(alarms.path());
        return std::pair(status.modified, status.modifiedNanoseconds);
    };
    const auto before = written();
    app.frame().Calendar([](CCalendarDlg& calendar) { calendar.Cancel(); });
    EXPECT_EQ(written(), before);
}

TEST_F(DaylarkAppTest, TheAlarmDialogHoldsTheChangeOfDayAndWritesTheAlarmAsTheFileKeepsIt)
{

    app.frame().Alarms(kMorning + 86400, [&](CAlarmDlg& dialog) {
        EXPECT_EQ(dialog.title(), "Tuesday, March 4, 1997");
        dialog.setName("Dentist");
        dialog.setHour("8");
        dialog.setMinute("15");
        dialog.setPm(false);
        EXPECT_TRUE(dialog.Add());
        clock.time = kMorning + 86400; // the change of day waits for the dialog
        app.frame().ClockTick();
        EXPECT_EQ(app.view().caption(), "Monday, March 3, 1997");
    });
    app.frame().ClockTick();
    EXPECT_EQ(app.view().caption(), "Tuesday, March 4, 1997");

    // The file holds what a file of this one alarm holds, byte for byte.
    CDaylarkAlarm dentist;
    dentist.Name = "Dentist";
    dentist.Time = kMorning + 86400 - 3600 + 10 * 60; // 8:15
    dentist.Frequency = static_cast<std::int16_t>(Frequency::Once);
    const std::string expected = dir.file("expected.alm");
    CAlarmFile file(expected, sink);
    file.Load();
    file.add(std::make_unique<CDaylarkAlarm>(dentist));
    file.Save();
    file.Empty();
    EXPECT_EQ(readFile(locations.alarmPath()), readFile(expected));
}

TEST_F(DaylarkAppTest, TheDialogCommandsHoldWhatTheirDialogsNeedAndLetItGo)
{
    app.Lists([&](CListDlg& lists) {
        EXPECT_TRUE(app.doc().dayChangeHeld());
        lists.Open(); // and the window closes without OK or Escape
    });
    EXPECT_FALSE(app.doc().dayChangeHeld());
    EXPECT_EQ(app.frame().listsFile().holders(), 0);

    app.Notes(kMorning + 86400, [&](CDayViewDlg& dayView) {
        EXPECT_EQ(dayView.kind(), CDayViewDlg::DayKind::Future);
        EXPECT_TRUE(app.doc().dayChangeHeld());
    });
    EXPECT_FALSE(app.doc().dayChangeHeld());
    EXPECT_EQ(app.doc().futureFile().holders(), 0);

    EXPECT_EQ(app.Synchronize([](CBackupSyncDlg&) {}), ""); // nothing ran, nothing to tell
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace daylark::test
