#pragma once

#include "app/CMainFrame.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkView.h"
#include "platform/Locations.h"
#include "platform/Profile.h"
#include "search/CSearchDlg.h"

#include <cstdint>
#include <functional>
#include <string>

namespace daylark {

class CBackupSyncDlg;
struct SyncStep;
class CDayViewDlg;
class CListDlg;
class CSettingsDlg;
class Clock;
class MessageSink;
struct CalendarColours;

/// The application without a window: the profile, the main window's logic (with the alarm
/// and lists files and the display flags it owns), the one document and the page view's
/// logic, made in the start-up order and wired to one another. The desktop program renders
/// it; daylark-cli runs it headless.
class DaylarkApp
{
public:
    DaylarkApp(const Locations& locations, MessageSink& messages, const Clock& clock);
    DaylarkApp(const DaylarkApp&) = delete;
    DaylarkApp& operator=(const DaylarkApp&) = delete;

    /// Start-up: creates the data directory when it is missing, names the data files, loads the
    /// current-day file when it exists (else the page is empty and dated now) and reads the page
    /// font. The window is shown, and the day checked, by frame().InitialShow().
    CDaylarkDoc::LoadResult start();

    const Locations& locations() const { return m_locations; }
    Profile& profile() { return m_profile; }
    CMainFrame& frame() { return m_frame; }
    CDaylarkDoc& doc() { return m_doc; }
    CDaylarkView& view() { return m_view; }

    // The application's commands around a dialog: each makes the dialog's logic over the
    // program's stores, runs `dialog` with it (the window shows it meanwhile) and does what
    // follows when it closes. The calendar and the alarm dialog are the main frame's.

    /// "Lists of things". The change of day waits meanwhile: the dialog holds the lists apart
    /// from the file, and done lines filed under it would come back with its next save.
    void Lists(const std::function<void(CListDlg&)>& dialog);
    /// "Search For Text", from the main window or from the calendar.
    void Search(SearchOrigin origin, const std::function<void(CSearchDlg&)>& dialog);
    /// "Settings", changing `colours`: the main frame's, or an open calendar's copy. With the
    /// path of the running `program` it offers to start it at login.
    void Settings(CalendarColours& colours, const std::string& program,
                  const std::function<void(CSettingsDlg&)>& dialog);
    /// "Daylark Synchronize or Backup". Returns what was done, for the status bar; empty when
    /// nothing ran.
    std::string Synchronize(const std::function<void(CBackupSyncDlg&)>& dialog);
    /// Whether the settings ask to synchronise with the shared folder at start, at close and
    /// after each change of day.
    bool SharedSyncSet() const;
    /// That synchronisation (CBackupSyncDlg::BackupAndSynchronize), each step told to
    /// `onStep`. Returns what it did for the status bar, with the time it ran ("9:05 AM:
    /// Synchronised with ..."); empty when the setting is off.
    std::string SynchronizeShared(const std::function<void(const SyncStep&)>& onStep);
    /// "Day View" opened on the local day of `day` (the page view returns to today first).
    void Notes(std::int64_t day, const std::function<void(CDayViewDlg&)>& dialog);

private:
    MessageSink& m_messages;
    Locations m_locations;
    Profile m_profile;
    CMainFrame m_frame;
    CDaylarkDoc m_doc;
    CDaylarkView m_view;
};

} // namespace daylark
