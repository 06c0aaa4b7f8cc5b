#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace daylark {

class DaylarkApp;

/// The synchronisation with the shared folder that the settings may ask for at start, after
/// each change of day and at close. It runs on the event loop's thread behind a progress
/// dialog and the wait cursor; the status bar says when it ran and what it merged, and a
/// failure is a message box. A run that comes due while a box or another dialog is open waits
/// until the next tick finds none.
class SharedFolderSync
{
public:
    /// `busy` says whether a box or a dialog is open; `changed` runs after a run (the page may
    /// have merged); `notify` puts a text into the status bar.
    SharedFolderSync(DaylarkApp& app, QWidget& window, std::function<bool()> busy,
                     std::function<void()> changed, std::function<void(const QString&)> notify);

    /// The program started or the day changed: a run is due when the setting is on.
    void request();
    /// Runs a due run unless something is open.
    void runWhenFree();
    /// Runs now, when the setting is on (the window closes).
    void run();
    bool due() const { return m_due; }

private:
    DaylarkApp& m_app;
    QWidget& m_window;
    std::function<bool()> m_busy;
    std::function<void()> m_changed;
    std::function<void(const QString&)> m_notify;
    bool m_due = false;
    bool m_running = false;
};

} // namespace daylark
