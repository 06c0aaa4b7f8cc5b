#pragma once

#include "search/CSearchDlg.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace daylark {

class DaylarkApp;
class MainDialogs;
struct CalendarColours;

/// The commands that open a dialog, from the main window or from the calendar: each runs the
/// application's command (which makes the dialog's logic) with the dialog's view from the seam
/// over `parent`, then shows in the main window what the dialog changed.
class DialogCommands
{
public:
    /// `changed` shows what a dialog changed in the main window; `chooseFont` is the settings
    /// dialog's font button; `notify` puts a line in the status bar. `app` and `dialogs` must
    /// outlive the commands.
    DialogCommands(DaylarkApp& app, MainDialogs& dialogs, std::function<void()> changed,
                   std::function<void()> chooseFont, std::function<void(const QString&)> notify);

    void openLists(QWidget& parent);
    /// The search, over the alarms a calendar holds when one is open; from the main window it
    /// can leave for a hit's day.
    void openSearch(QWidget& parent, SearchOrigin origin = SearchOrigin::MainWindow);
    /// The settings, changing `colours`: the main window's, or an open calendar's copy.
    void openSettings(CalendarColours& colours, QWidget& parent);
    /// The backup and synchronise dialog; what it did is told in the status bar afterwards.
    void openSynchronize(QWidget& parent);
    /// The Calendar command: the alarms loaded around a calendar of the current month.
    void openCalendar(QWidget& parent);
    /// The day view on the local day of `day`.
    void openNotes(std::int64_t day, QWidget& parent);
    /// The alarm dialog on the local day of `day`, over the alarms a calendar holds when one is
    /// open.
    void openAlarms(std::int64_t day, QWidget& parent);

private:
    DaylarkApp& m_app;
    MainDialogs& m_dialogs;
    std::function<void()> m_changed;
    std::function<void()> m_chooseFont;
    std::function<void(const QString&)> m_notify;
};

} // namespace daylark
