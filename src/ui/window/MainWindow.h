#pragma once

#include "app/CMainFrame.h"
#include "app/SaveAndClose.h"
#include "platform/MonotonicClock.h"
#include "ui/stopwatch/StopWatchView.h"
#include "ui/sync/SharedFolderSync.h"
#include "ui/tray/CloseToTray.h"
#include "ui/window/DialogCommands.h"
#include "ui/window/MainActions.h"
#include "ui/window/StatusPanes.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>

class QTimer;
class QToolBar;

namespace daylark {

class DaylarkApp;
class DesktopPresence;
class FindBar;
class HelpWindow;
class MainDialogs;
class PageEdit;
class QuietRetrySink;

/// The main window: the page of the day with the toolbar, the menu bar (hidden at first) and
/// the status bar with its clock. It renders the state of the application's logic (the main
/// frame, the document, the page view) and forwards the user's commands, the 15-second tick and
/// the idle save to it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    /// `app` has been started; `messages` is the sink it reports through; `dialogs` opens every
    /// dialog. All three must outlive the window. The page text moves into the window's editor.
    MainWindow(DaylarkApp& app, QuietRetrySink& messages, MainDialogs& dialogs,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    /// The last step of start-up: restores the menu, toolbar and clock settings and the saved
    /// placement, runs the day check, then shows the window (`showCommand` 0 keeps it hidden).
    void initialShow(std::uint32_t showCommand);

    /// The 15-second tick: the clock pane, the change of day, the announcement of due alarms.
    void tick();
    /// The session is ending (it may still be cancelled): saves the settings and today's page,
    /// and the window goes on. Does nothing once the window has closed (it saved then).
    void saveForSessionEnd();
    /// The program is about to end without closing the window (a termination signal, the
    /// application quitting): saves as the session end does, once.
    void saveBeforeQuit();
    /// Shows, restores and raises the window and asks the desktop to draw attention to it: a box
    /// is about to show, or a second start on the same data directory asked for it. During
    /// start-up it waits for the window's first showing.
    void bringToFront();
    /// A notification of the core, shown in the message pane until the next input.
    void showNotification(const QString& text);
    /// From now on the close box hides the window in the tray when `presence` (which must
    /// outlive the window) says so.
    void setPresence(DesktopPresence& presence) { m_closeToTray.setPresence(presence); }
    /// Closes the window and so ends the program, as Exit does, whatever the close box does.
    void quit() { m_closeToTray.quit(*this); }

    PageEdit& page() { return *m_page; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// No context menu for the toolbar: it could hide the toolbar behind the logic's back.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void createBars();
    void connectCommands();
    /// Runs a command of the logic, then shows what it changed.
    void run(const std::function<void()>& command);
    void render();
    void renderClock();
    void renderEditCommands();

    void idleSave();
    /// The placement, maximised state and toolbar side that the settings keep.
    SaveAndClose::WindowState settingsState() const;
    void chooseFont();
    void showHelp();
    /// F1 sent to `target` in a dialog: the guide at the dialog's section. False for any other
    /// window.
    bool helpForDialog(QObject* target);
    void showAbout();
    void toggleStopWatch(bool open);

    DaylarkApp& m_app;
    QuietRetrySink& m_messages;
    MainDialogs& m_dialogs;
    SaveAndClose m_saver;
    MainActions m_actions;
    DialogCommands m_commands;
    PageEdit* m_page = nullptr;
    FindBar* m_findBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QTimer* m_tickTimer = nullptr;
    QTimer* m_idleTimer = nullptr;
    StatusPanes m_status;
    SharedFolderSync m_sharedSync;
    HelpWindow* m_help = nullptr;
    /// The open stop watch (modeless; at most one), a child that owns its logic.
    QPointer<StopWatchView> m_stopWatch;
    /// What the stop watch measures by: the machine's monotonic clock, which setting the
    /// system clock does not move.
    SteadyClock m_stopWatchClock;
    bool m_starting = false;
    CloseToTray m_closeToTray;
};

} // namespace daylark
