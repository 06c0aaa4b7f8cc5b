#pragma once

#include "app/CMainFrame.h"
#include "app/QuietRetrySink.h"
#include "platform/WindowPlacement.h"

#include <functional>

namespace daylark {

class DaylarkApp;

/// The main window's save and close policy, without widgets: when today's page is saved, how a
/// save that keeps failing is retried without repeating its box, and what closing the window,
/// the end of the session and the end of the program save.
class SaveAndClose
{
public:
    /// The window as its settings keep it.
    struct WindowState
    {
        WindowPlacement placement;
        bool maximized = false;
        CMainFrame::DockSide dockSide = CMainFrame::DockSide::Top;
    };

    /// `app` reports through `messages`; both must outlive this. `changed` runs whenever the
    /// page view or the save state changed, so the window shows it.
    SaveAndClose(DaylarkApp& app, QuietRetrySink& messages, std::function<void()> changed);

    /// Saves today's page when it changed: Save Now is Loud, a pause Quiet (a failure already
    /// shown is not shown again). While a past day is shown today's text waits until the view
    /// returns to it, and only due alarms are announced. True when nothing is left unsaved.
    bool SavePage(QuietRetrySink::Retry retry);
    /// The user paused: a quiet save. False when it cannot run now because a box of a save
    /// that runs is open; the caller tries again at the next pause.
    bool IdleSave();
    /// The last save failed: the tick retries it, as a full disk may have room again.
    bool retryDue() const { return m_messages.failing(); }

    /// The session is ending and may still be cancelled: saves the settings and today's page,
    /// and the window goes on. Nothing once the window has closed (it saved then).
    void SessionEnd(const WindowState& window);
    /// The program ends without closing the window (a termination signal, the application
    /// quitting): saves as the session end does, once.
    void Quit(const WindowState& window);
    /// The user closes the window: saves the settings, returns to today and saves the page.
    /// When the save fails the main frame asks whether to close anyway. True when the window
    /// may close; it then stays closed and nothing saves again.
    bool Close(const WindowState& window);
    /// Runs when Close saved the page, before the window goes: the synchronisation with the
    /// shared folder.
    void setOnClosing(std::function<void()> closing) { m_closing = std::move(closing); }

    bool saving() const { return m_saving; }
    bool closed() const { return m_closed; }

private:
    /// Writes the window's settings; the menu bar keeps its state on screen.
    void saveSettings(const WindowState& window);
    /// The settings, today's page on show, and its quiet save.
    bool saveAll(const WindowState& window);

    DaylarkApp& m_app;
    QuietRetrySink& m_messages;
    std::function<void()> m_changed;
    std::function<void()> m_closing;
    bool m_saving = false;
    bool m_closed = false;
};

} // namespace daylark
