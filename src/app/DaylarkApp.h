#pragma once

#include "app/CMainFrame.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkView.h"
#include "platform/Locations.h"
#include "platform/Profile.h"

namespace daylark {

class Clock;
class MessageSink;

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

private:
    MessageSink& m_messages;
    Locations m_locations;
    Profile m_profile;
    CMainFrame m_frame;
    CDaylarkDoc m_doc;
    CDaylarkView m_view;
};

} // namespace daylark
