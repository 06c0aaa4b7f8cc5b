#include "ui/window/DialogCommands.h"

#include "alarms/CAlarmDlg.h"
#include "app/DaylarkApp.h"
#include "calendar/CCalendarDlg.h"
#include "calendar/CDayViewDlg.h"
#include "records/CListDlg.h"
#include "search/CSearchDlg.h"
#include "sync/CBackupSyncDlg.h"
#include "tools/CSettingsDlg.h"
#include "ui/calendar/CalendarView.h"
#include "ui/page/PageTextMapping.h"
#include "ui/window/MainDialogs.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>

#include <utility>

namespace daylark {

DialogCommands::DialogCommands(DaylarkApp& app, MainDialogs& dialogs, std::function<void()> changed,
                               std::function<void()> chooseFont,
                               std::function<void(const QString&)> notify)
    : m_app(app)
    , m_dialogs(dialogs)
    , m_changed(std::move(changed))
    , m_chooseFont(std::move(chooseFont))
    , m_notify(std::move(notify))
{}

void DialogCommands::openLists(QWidget& parent)
{
    m_app.Lists([&](CListDlg& lists) { m_dialogs.runLists(lists, parent); });
}

void DialogCommands::openSearch(QWidget& parent, SearchOrigin origin)
{
    // Opening returns the page view to today; Show Day leaves it on a hit's day.
    m_app.Search(origin,
                 [&](CSearchDlg& search) { m_dialogs.runSearch(search, parent, m_changed); });
    m_changed();
}

void DialogCommands::openSettings(CalendarColours& colours, QWidget& parent)
{
    // The running program is what starts at login.
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    m_app.Settings(colours, program, [&](CSettingsDlg& settings) {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            settings.offerCloseToTray();
        }
        m_dialogs.runSettings(settings, m_chooseFont, parent);
    });
    m_changed();
}

void DialogCommands::openSynchronize(QWidget& parent)
{
    const std::string summary = m_app.Synchronize(
        [&](CBackupSyncDlg& synchronize) { m_dialogs.runBackupSync(synchronize, parent); });
    // A synchronisation may have merged today's page and the days around it.
    m_changed();
    if (!summary.empty()) {
        m_notify(displayTextFromPage(summary)); // it names folders, whatever their bytes
    }
}

void DialogCommands::openCalendar(QWidget& parent)
{
    const CalendarDoors doors{
        [this](QWidget& over) { openLists(over); },
        [this](QWidget& over) { openSearch(over, SearchOrigin::Calendar); },
        [this](CalendarColours& colours, QWidget& over) { openSettings(colours, over); },
        [this](std::int64_t day, QWidget& over) { openNotes(day, over); },
        [this](std::int64_t day, QWidget& over) { openAlarms(day, over); },
    };
    m_app.frame().Calendar([&](CCalendarDlg& calendar) {
        calendar.Open();
        m_dialogs.runCalendar(calendar, doors, parent);
    });
    m_changed();
}

void DialogCommands::openNotes(std::int64_t day, QWidget& parent)
{
    m_app.Notes(day, [&](CDayViewDlg& dayView) {
        m_changed(); // the page view is back on today
        m_dialogs.runDayView(dayView, parent);
    });
    m_changed();
}

void DialogCommands::openAlarms(std::int64_t day, QWidget& parent)
{
    m_app.frame().Alarms(day, [&](CAlarmDlg& alarms) { m_dialogs.runAlarm(alarms, parent); });
    m_changed();
}

} // namespace daylark
