#include "ui/tray/TrayIcon.h"

#include "alarms/CAlarmEntry.h"
#include "app/DesktopPresence.h"
#include "platform/CalendarColours.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "platform/Profile.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "tools/CSettingsDlg.h"
#include "ui/window/MainWindowSession.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <vector>

namespace daylark {

namespace {

CAlarmEntry alarm(int hour, int minute, std::string name, bool announced = false)
{
    CAlarmEntry entry;
    entry.Time = makeLocalTime(2024, 5, 2, hour, minute);
    entry.Name = std::move(name);
    entry.Announced = announced ? 1 : 0;
    return entry;
}

QAction* entryNamed(QMenu& menu, const char* name)
{
    for (QAction* action : menu.actions()) {
        if (action->objectName() == QLatin1String(name)) {
            return action;
        }
    }
    return nullptr;
}

QStringList alarmLines(QMenu& menu)
{
    QStringList lines;
    for (QAction* action : menu.actions()) {
        if (action->objectName() == QLatin1String("trayAlarm")) {
            lines << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (rung)"));
        }
    }
    return lines;
}

/// Ticks "Close to tray" as the settings dialog does.
void chooseCloseToTray(Profile& profile)
{
    DisplayFlags flags;
    CalendarColours colours;
    CSettingsDlg settings(profile, flags, colours);
    settings.offerCloseToTray();
    settings.Open();
    settings.setCloseToTray(true);
    settings.OK();
}

} // namespace

class TrayIconTest : public QObject
{
    Q_OBJECT

private slots:
    void theMenuShowsTodaysAlarmsAndWorksTheWindow();
    void theCloseBoxHidesInTheTrayWhileExitEnds();
};

void TrayIconTest::theMenuShowsTodaysAlarmsAndWorksTheWindow()
{
    test::ScopedTimeZone zone("UTC");
    test::TempDir dir;
    test::RecordingSink sink;
    Profile profile(dir.file("daylark.ini"), sink);
    DesktopPresence presence(profile);
    DisplayFlags flags{.use24HourClock = true};
    QWidget window;
    std::vector<CAlarmEntry> todays = {alarm(14, 0, "Tea & cake"), alarm(9, 30, "Post", true)};
    int quits = 0;
    TrayIcon tray({window, [&todays] { return todays; },
                   [&window] {
                       window.show();
                       window.raise();
                   },
                   [&quits] { ++quits; }},
                  flags, presence);
    tray.start(); // the offscreen platform has no tray: the menu still works
    QVERIFY(!presence.trayShown());
    QMenu& menu = tray.menu();

    emit menu.aboutToShow();
    QCOMPARE(alarmLines(menu), QStringList({"09:30 Post (rung)", "14:00 Tea && cake"}));
    QAction* windowEntry = entryNamed(menu, "trayWindow");
    QVERIFY(windowEntry != nullptr);
    QCOMPARE(windowEntry->text(), QStringLiteral("&Show Daylark"));
    windowEntry->trigger();
    QVERIFY(window.isVisible());

    // Built again as it opens: the window shows now, and an alarm was added meanwhile.
    todays.push_back(alarm(8, 0, "Early"));
    emit menu.aboutToShow();
    QCOMPARE(alarmLines(menu).first(), QStringLiteral("08:00 Early"));
    windowEntry = entryNamed(menu, "trayWindow");
    QCOMPARE(windowEntry->text(), QStringLiteral("&Hide Daylark"));
    windowEntry->trigger();
    QVERIFY(!window.isVisible());
    entryNamed(menu, "trayAlarm")->trigger(); // an alarm brings the window back
    QVERIFY(window.isVisible());
    window.showMinimized(); // minimised counts as out of sight
    emit menu.aboutToShow();
    QCOMPARE(entryNamed(menu, "trayWindow")->text(), QStringLiteral("&Show Daylark"));

    QCOMPARE(quits, 0);
    entryNamed(menu, "trayQuit")->trigger();
    QCOMPARE(quits, 1);

    todays.clear();
    emit menu.aboutToShow();
    QVERIFY(alarmLines(menu).isEmpty());
    QAction* none = entryNamed(menu, "trayNoAlarms");
    QVERIFY(none != nullptr && !none->isEnabled());
}

void TrayIconTest::theCloseBoxHidesInTheTrayWhileExitEnds()
{
    using test::kMorning;
    test::ScopedTimeZone zone(test::kEastern);
    test::TempDir dir;
    const auto placementSaved = [&dir] {
        return test::readFile(dir.file("daylark.ini")).find("WindowPos=") != std::string::npos;
    };
    {
        // Without a tray the setting cannot hide the window: it would have no way back.
        test::Session session(dir, kMorning);
        QVERIFY(session.active);
        chooseCloseToTray(session.app.profile());
        DesktopPresence presence(session.app.profile());
        session.window->setPresence(presence);
        QVERIFY(session.window->close());
        QVERIFY(placementSaved());
    }
    std::remove(dir.file("daylark.ini").c_str());
    test::Session session(dir, kMorning);
    QVERIFY(session.active);
    MainWindow& window = *session.window;
    DesktopPresence presence(session.app.profile());
    presence.setTrayShown(true);
    window.setPresence(presence);
    chooseCloseToTray(session.app.profile());
    QVERIFY(!window.close()); // hidden, not closed
    QVERIFY(window.isHidden());
    QVERIFY(!placementSaved());
    window.show();
    QVERIFY(!window.close()); // as often as the user likes
    QVERIFY(!placementSaved());

    window.show();
    session.action("actionExit")->trigger();
    QVERIFY(window.isHidden());
    QVERIFY(placementSaved()); // Exit closed it for real
}

} // namespace daylark

QTEST_MAIN(daylark::TrayIconTest)
#include "TrayIconTest.moc"
