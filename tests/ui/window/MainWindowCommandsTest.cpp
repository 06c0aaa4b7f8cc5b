#include "alarms/CAlarmDlg.h"
#include "calendar/CCalendarDlg.h"
#include "calendar/CDayViewDlg.h"
#include "platform/FileSystem.h"
#include "records/CListDlg.h"
#include "search/CSearchDlg.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"
#include "sync/CBackupSyncDlg.h"
#include "tools/CSettingsDlg.h"
#include "ui/calendar/CalendarView.h"
#include "ui/window/MainWindow.h"
#include "ui/window/MainWindowSession.h"

#include <QDialog>
#include <QToolBar>

namespace daylark {

using namespace test;

/// The main window's commands: the dialogs it opens, the stop watch and the tick.
class MainWindowCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void theCommandsOpenTheirDialogsOverTheWindowsData()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        Session session(dir, kMorning);
        QVERIFY(session.active);
        QAction* search = session.action("actionSearch");
        QAction* synchronize = session.action("actionSynchronize");
        const QList<QAction*> buttons =
            test::child<QToolBar>(*session.window, "toolBar")->actions();
        QVERIFY(buttons.indexOf(search) >= 0 &&
                buttons.indexOf(search) < buttons.indexOf(synchronize));
        QCOMPARE(buttons.last(), synchronize);

        // The search opens over a past day; it shows today meanwhile and finds the filed page.
        test::filePages(session.app.locations().archivePath(1997),
                        {{"1997-03-02", "a word of Sunday"}}, session.clock);
        QTest::keyClick(&session.page(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(session.title(), QString("Sunday, March 2, 1997"));
        QString titleWhileOpen;
        std::string results;
        session.dialogs.onSearch = [&](CSearchDlg& logic, const std::function<void()>& shown) {
            logic.Open();
            shown();
            titleWhileOpen = session.title();
            logic.setTerm1("WORD");
            logic.Start();
            results = logic.resultsText();
            logic.Close();
        };
        search->trigger();
        QCOMPARE(titleWhileOpen, QString("Monday, March 3, 1997"));
        QVERIFY(results.find("a word of Sunday") != std::string::npos);
        QCOMPARE(session.app.frame().alarmFile().holders(), 0);
        QCOMPARE(session.app.frame().listsFile().holders(), 0);

        // Show Day takes the window to the hit's day, as Alt+Left would.
        session.dialogs.onSearch = [&](CSearchDlg& logic, const std::function<void()>& shown) {
            logic.Open();
            shown();
            logic.setTerm1("sunday");
            logic.Start();
            QVERIFY(logic.ShowDay());
        };
        search->trigger();
        QCOMPARE(session.title(), QString("Sunday, March 2, 1997"));
        QCOMPARE(session.shown(), QString("a word of Sunday"));
        QVERIFY(session.page().isReadOnly());
        QTest::keyClick(&session.page(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(session.title(), QString("Monday, March 3, 1997"));

        // A list made in the lists dialog goes to the data directory's lists file.
        session.dialogs.onLists = [&session](CListDlg& logic) {
            QVERIFY(session.app.doc().dayChangeHeld()); // until the lists are back in the file
            logic.Open();
            logic.setName("Books");
            logic.Add();
            logic.EditContents("Dune");
            QVERIFY(logic.Ok());
        };
        session.action("actionLists")->trigger();
        QCOMPARE(test::recordsOf<CTodoFile>(session.app.locations().listsPath()),
                 std::vector<std::string>{test::describe(test::list("Books", "Dune", kMorning))});

        // The settings take effect at once, and their font button runs the Font command.
        session.dialogs.onSettings = [](CSettingsDlg& logic, const std::function<void()>& font) {
            logic.Open();
            logic.setUse24HourClock(true);
            logic.OK();
            font();
        };
        QTest::keyClick(&session.page(), Qt::Key_Comma, Qt::ControlModifier);
        QCOMPARE(session.label("clockPane")->text(), QString("09:05"));

        // What the backup dialog did is told in the status bar once it closes.
        const std::string backups = dir.file("backups");
        createDirectories(backups);
        session.dialogs.onBackupSync = [&backups](CBackupSyncDlg& logic) {
            logic.editBackupPath(backups);
            logic.Backup();
        };
        QTest::keyClick(&session.page(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(session.label("messagePane")
                    ->text()
                    .startsWith(QString::fromStdString("Backed up to " + backups + ": ")));
        session.action("actionAbout")->trigger();
        QVERIFY(session.dialogs.aboutText.contains(
            QString::fromStdString(session.app.locations().dataDir())));
        QCOMPARE(session.dialogs.opened, QStringList({"search", "search", "lists", "settings",
                                                      "font", "backupSync", "about"}));

        // The stop watch is modeless: its checked button opens it, its Close releases the button.
        QAction* stopWatch = session.action("actionStopWatch");
        QTest::keyClick(&session.page(), Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
        auto* watch = test::child<QDialog>(*session.window, "stopWatch");
        QVERIFY(watch->isVisible() && stopWatch->isChecked());
        QTest::keyClick(watch, Qt::Key_Escape);
        QVERIFY(!stopWatch->isChecked());
        QTRY_VERIFY(session.window->findChild<QDialog*>("stopWatch") == nullptr);
        stopWatch->trigger();
        stopWatch->trigger(); // the second press closes it
        QVERIFY(!stopWatch->isChecked());
        QTRY_VERIFY(session.window->findChild<QDialog*>("stopWatch") == nullptr);
        QVERIFY(session.recorder.messages.empty());
    }

    void theCalendarHoldsTheAlarmsAndLeadsToTheDayView()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        withApp(dir, [](DaylarkApp& app) {
            auto alarm = std::make_unique<CDaylarkAlarm>();
            alarm->Name = "Dentist";
            alarm->Frequency = static_cast<std::int16_t>(Frequency::Once);
            alarm->Time = kMorning + 2 * 86400; // Wednesday
            alarm->VisibleOnCalendar = 1;
            app.frame().alarmFile().Load();
            app.frame().alarmFile().add(std::move(alarm));
            app.frame().alarmFile().Save();
        });
        Session session(dir, kMorning);
        QVERIFY(session.active);
        test::filePages(session.app.locations().archivePath(1997),
                        {{"1997-03-01", "the dentist called"}}, session.clock);
        QCOMPARE(test::child<QToolBar>(*session.window, "toolBar")->actions().value(0),
                 session.action("actionCalendar"));
        CAlarmFile& alarms = session.app.frame().alarmFile();

        // The calendar's search shares its alarms; its notes open the day view on the chosen
        // day, where a note for Wednesday is written.
        session.dialogs.onCalendar = [&](CCalendarDlg& logic, const CalendarDoors& doors) {
            QCOMPARE(logic.cell(logic.focusIndex() + 2).alarmNames,
                     std::vector<std::string>{"Dentist"});
            // It finds the filed page, but cannot leave the calendar for its day.
            session.dialogs.onSearch = [&](CSearchDlg& search, const std::function<void()>&) {
                search.Open();
                QCOMPARE(alarms.holders(), 2);
                search.setTerm1("dentist");
                search.Start();
                QVERIFY(search.resultsText().find("PAGE: ") == 0);
                QVERIFY(!search.showDayEnabled() && !search.ShowDay());
                search.Close();
            };
            doors.search(*session.window);
            session.dialogs.onDayView = [](CDayViewDlg& dayView) {
                QCOMPARE(dayView.kind(), CDayViewDlg::DayKind::Future);
                dayView.EditText("bring the forms");
                QVERIFY(dayView.Ok());
            };
            logic.ChooseCell(logic.focusIndex() + 2);
            doors.notes(logic.chosenDay(), *session.window);
            QCOMPARE(alarms.holders(), 1);
            // The alarm dialog shares the calendar's alarms.
            session.dialogs.onAlarm = [&](CAlarmDlg& alarm) {
                QCOMPARE(alarms.holders(), 2);
                QCOMPARE(alarm.lines(), std::vector<std::string>{"9:05 AM  Dentist"});
                alarm.setName("Dentist again");
                QVERIFY(alarm.Add());
            };
            doors.alarm(logic.chosenDay(), *session.window);
        };
        QTest::keyClick(&session.page(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(session.dialogs.opened, QStringList({"calendar", "search", "dayView", "alarm"}));
        QCOMPARE(alarms.holders(), 0);
        QCOMPARE(test::recordsOf<CAlarmFile>(session.app.locations().alarmPath()).size(),
                 size_t(2));
        QCOMPARE(test::recordsOf<CFutureFile>(session.app.locations().futurePath()).size(),
                 size_t(1));

        // Notes of Today: the day view on the current day edits the page itself.
        session.dialogs.onDayView = [](CDayViewDlg& dayView) {
            QCOMPARE(dayView.kind(), CDayViewDlg::DayKind::Today);
            dayView.EditText("{} call the dentist");
            QVERIFY(dayView.Ok());
        };
        QTest::keyClick(&session.page(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(session.shown(), QString("{} call the dentist"));

        // Alarms of Today: the alarm dialog on the current day.
        session.dialogs.onAlarm = [](CAlarmDlg& alarm) {
            QCOMPARE(alarm.title(), std::string("Monday, March 3, 1997"));
        };
        QTest::keyClick(&session.page(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(session.dialogs.opened.last(), QString("alarm"));
        QVERIFY(session.recorder.messages.empty());
    }

    void theTickAnnouncesADueAlarm()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        withApp(dir, [](DaylarkApp& app) {
            auto alarm = std::make_unique<CDaylarkAlarm>();
            alarm->Name = "Dentist";
            alarm->Frequency = static_cast<std::int16_t>(Frequency::Daily);
            alarm->Time = kMorning - 86400 + 25 * 60; // 9:30, from yesterday on
            app.frame().alarmFile().Load();
            app.frame().alarmFile().add(std::move(alarm));
            app.frame().alarmFile().Save();
        });
        // Today's alarms are summed up in a box over the window; a tick while it is open
        // announces nothing on top of it.
        bool shownUnderTheBox = false;
        Session session(dir, kMorning + 30 * 60, {}, [&](Session& started) {
            shownUnderTheBox = started.window->isVisible();
            started.window->tick();
        });
        QVERIFY(session.active);
        QVERIFY(shownUnderTheBox);
        QCOMPARE(session.recorder.messages.size(), size_t(1));
        QVERIFY(session.recorder.messages[0].text.find("Dentist") != std::string::npos);
        QCOMPARE(session.recorder.countCaption("Alarm(s)"), 0);

        session.clock.time = kMorning + 30 * 60; // 9:35
        session.window->tick();
        QCOMPARE(session.recorder.countCaption("Alarm(s)"), 1);
        QCOMPARE(session.recorder.messages.back().text, std::string("9:30 AM: Dentist\n"));
    }
};

} // namespace daylark

QTEST_MAIN(daylark::MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
