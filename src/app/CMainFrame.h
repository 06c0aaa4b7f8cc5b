#pragma once

#include "alarms/CAlarmFile.h"
#include "platform/CalendarColours.h"
#include "platform/DisplayFlags.h"
#include "platform/WindowPlacement.h"
#include "records/CTodoFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace daylark {

class CAlarmDlg;
class CCalendarDlg;
class CDaylarkDoc;
class Clock;
class Locations;
class MessageSink;
class Profile;

/// The main window without its widgets: the clock tick, idle saving, the menu and toolbar
/// switches and every setting the window keeps in the profile. It owns the alarm and lists
/// files and the display flags; the desktop window renders its state and forwards events.
class CMainFrame
{
public:
    static constexpr int kTickMilliseconds = 15000;
    static constexpr int kIdleSaveMilliseconds = 2000;
    static constexpr int kDefaultIdleUpdate = 80000;

    /// Where the toolbar is docked, as DockSide stores it.
    enum class DockSide : int {
        Floating = 0,
        Top = 59419,
        Left = 59420,
        Right = 59421,
        Bottom = 59422,
    };

    /// How the window is to be shown first.
    struct ShowPlan
    {
        std::uint32_t showCommand = WindowPlacement::kShowNormal;
        std::optional<WindowPlacement> placement; ///< none: let the desktop place it
    };

    CMainFrame(Profile& profile, const Locations& locations, MessageSink& messages);
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    /// The document the tick and the commands work on; set once after it is made.
    void setDocument(CDaylarkDoc& doc) { m_doc = &doc; }

    CAlarmFile& alarmFile() { return m_alarmFile; }
    CTodoFile& listsFile() { return m_listsFile; }
    DisplayFlags& displayFlags() { return m_flags; }
    const DisplayFlags& displayFlags() const { return m_flags; }
    CalendarColours& colours() { return m_colours; }
    WindowPlacement& calendarPlacement() { return m_calendarPlacement; }
    int idleUpdate() const { return m_idleUpdate; }

    /// Reads the menu, toolbar and clock settings, the saved placements, IdleUpdate and the
    /// calendar colours, runs `show` (the window shows itself by the plan), then runs the
    /// document's day check (the change of day when the page is from an earlier day, else
    /// today's alarms with their summary), so its boxes stand over the window. `showCommand`
    /// is the one the program was started with; a saved placement's command wins unless that
    /// is 1.
    ShowPlan InitialShow(std::uint32_t showCommand,
                         const std::function<void(const ShowPlan&)>& show = {});

    /// The 24-hour clock and Greenwich time as the profile gives them (UseUTC and UseGMT
    /// holding "yes"), for the commands that show times without a main window.
    static DisplayFlags ReadDisplayFlags(const Profile& profile);

    /// The status bar clock for `now`: "9:05 AM", or "09:05" with the 24-hour clock.
    std::string ClockText(std::int64_t now) const;
    /// The 15-second tick: the document's change of day when it is due, then the
    /// announcement of today's alarms whose time has come, unless `announce` is false (a box
    /// is open: the announcement waits for a tick after it, instead of stacking on it). Returns
    /// whether the page moved to another day since the day check of InitialShow or the last
    /// tick (also by a save between two ticks).
    bool ClockTick(bool announce = true);
    /// Two seconds without input: saves the page when it changed.
    void IdleSave();

    /// The Calendar command: loads the alarms (shared when another operation holds them) and
    /// clears their changed flag, runs `calendar` over a calendar of the current month, saves
    /// the alarms when anything changed them, then lets them go.
    void Calendar(const std::function<void(CCalendarDlg&)>& calendar);

    /// The alarm dialog on the local day of `day`: loads the alarms as the Calendar command
    /// does (sharing a calendar's), holds the change of day while `dialog` runs, saves the
    /// alarms when they changed and lets them go.
    void Alarms(std::int64_t day, const std::function<void(CAlarmDlg&)>& dialog);

    bool menuShown() const { return m_menuShown; }
    bool toolBarShown() const { return m_toolBarShown; }
    DockSide dockSide() const { return m_dockSide; }
    /// F2 and View > Menu: shows the menu bar, or hides it while the toolbar is shown (the
    /// two are never hidden together).
    void ToggleMenu();
    /// View > Toolbar: shows the toolbar, or hides it while the menu bar is shown.
    void ToggleToolBar();

    /// On close and at the end of the session: writes WindowPos (flags 2 when maximized),
    /// CalendarPos, IdleUpdate, the colours, DockSide, Menu and ToolBar, after checking whether
    /// someone else changed the current-day file.
    void SaveSettings(const WindowPlacement& window, bool maximized, DockSide dockSide);

    /// Closing after today's page failed to save with `failure`: asks whether to close anyway,
    /// losing what was written since the last save. True only when the answer is Yes.
    bool CloseUnsaved(const std::string& failure);

private:
    Profile& m_profile;
    MessageSink& m_messages;
    CDaylarkDoc* m_doc = nullptr;
    CAlarmFile m_alarmFile;
    CTodoFile m_listsFile;
    DisplayFlags m_flags;
    CalendarColours m_colours;
    WindowPlacement m_calendarPlacement = WindowPlacement::calendarDefault();
    int m_idleUpdate = kDefaultIdleUpdate;
    bool m_menuShown = false;
    bool m_toolBarShown = true;
    DockSide m_dockSide = DockSide::Top;
    /// The page's local day as the last tick (or the day check) left it.
    std::optional<long> m_pageDay;
};

} // namespace daylark
