#include "ui/window/DialogCommands.h"

#include "alarms/CAlarmDlg.h"
#include "app/DaylarkApp.h"
#include "calendar/CCalendarDlg.h"
#include "calendar/CDayViewDlg.h"
#include "records/CListDlg.h"
#include "search/CSearchDlg.h"
#include "sync/CBackupSyncDlg.h"
#include "sync/SyncSide.h"
#include "tools/CSettingsDlg.h"
#include "ui/calendar/CalendarView.h"
#include "ui/window/MainDialogs.h"

#include <utility>

namespace daylark {

DialogCommands::DialogCommands(DaylarkApp& app, MainDialogs& dialogs, std::function<void()> changed,
                               std::function<void()> chooseFont,
                               std::function<void(const std::string&)> notify)
    : m_app(app)
    , m_dialogs(dialogs)
    , m_changed(std::move(changed))
    , m_chooseFont(std::move(chooseFont))
    , m_notify(std::move(notify))
{}

void DialogCommands::openLists(QWidget& parent)
{
    // The dialog holds the lists apart from the file: a change of day filing their done lines
    // under it would have them back at the dialog's next save.
    m_app.doc().holdDayChange();
    CListDlg logic(m_app.frame().listsFile(), m_app.doc().clock(), m_app.doc().messages());
    m_dialogs.runLists(logic, parent);
    m_app.doc().releaseDayChange();
}

void DialogCommands::openSearch(QWidget& parent, SearchOrigin origin)
{
    // Opening returns the page view to today; Show Day leaves it on a hit's day.
    CMainFrame& frame = m_app.frame();
    CSearchDlg logic(m_app.doc(), m_app.view(), frame.listsFile(), frame.alarmFile(),
                     frame.displayFlags(), origin);
    m_dialogs.runSearch(logic, parent, m_changed);
    m_changed();
}

void DialogCommands::openSettings(CalendarColours& colours, QWidget& parent)
{
    CSettingsDlg logic(m_app.profile(), m_app.frame().displayFlags(), colours);
    m_dialogs.runSettings(logic, m_chooseFont, parent);
    m_changed();
}

void DialogCommands::openSynchronize(QWidget& parent)
{
    CMainFrame& frame = m_app.frame();
    const SyncSide side{m_app.doc(), frame.alarmFile(), frame.listsFile(), &m_app.view(), {}};
    CBackupSyncDlg logic(m_app.profile(), side);
    m_dialogs.runBackupSync(logic, parent);
    // A synchronisation may have merged today's page and the days around it.
    m_changed();
    if (const std::string summary = logic.summary(); !summary.empty()) {
        m_notify(summary);
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
    CDayViewDlg logic(m_app.doc(), m_app.view(), m_app.frame().displayFlags());
    logic.Open(day);
    m_changed(); // the page view is back on today
    m_dialogs.runDayView(logic, parent);
    m_changed();
}

void DialogCommands::openAlarms(std::int64_t day, QWidget& parent)
{
    m_app.frame().Alarms(day, [&](CAlarmDlg& alarms) { m_dialogs.runAlarm(alarms, parent); });
    m_changed();
}

} // namespace daylark
