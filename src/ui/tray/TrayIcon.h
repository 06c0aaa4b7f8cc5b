#pragma once

#include "app/TrayMenu.h"
#include "ui/platform/NoticeRouter.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QSystemTrayIcon;
class QTimer;
class QWidget;

namespace daylark {

class DesktopPresence;
struct CAlarmEntry;
struct DisplayFlags;

/// The program's icon in the desktop's tray, where there is one: its menu lists today's alarms
/// and shows or hides the main window or ends the program; a click on the icon shows or hides
/// the window. The menu is built again each time it opens.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    /// What the icon acts on, lent by the main window.
    struct Window
    {
        QWidget& widget;
        /// Today's alarms as they are now.
        std::function<std::vector<CAlarmEntry>()> todaysAlarms;
        /// Shows, restores and raises the window.
        std::function<void()> bringToFront;
        /// Ends the program as Exit does.
        std::function<void()> quit;
    };

    /// How often a desktop without a tray is looked at again: a panel started at login may come
    /// up after the program.
    static constexpr int kLookForTrayMs = 15000;

    /// `flags` and `presence` must outlive the icon; `presence` learns whether the icon shows.
    TrayIcon(Window window, const DisplayFlags& flags, DesktopPresence& presence,
             QObject* parent = nullptr);
    ~TrayIcon() override;

    /// Shows the icon when the desktop has a tray, else looks again from time to time.
    void start();

    /// The icon's menu; it exists also without a tray, so it can be built and used directly.
    QMenu& menu() { return *m_menu; }

private:
    void lookForTray();
    void buildMenu();
    void run(TrayMenu::Command command);
    WindowView view() const { return windowViewOf(m_window.widget); }

    Window m_window;
    TrayMenu m_logic;
    DesktopPresence& m_presence;
    std::unique_ptr<QMenu> m_menu;
    /// After the menu, so it goes first: the icon holds its menu to the end.
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QTimer* m_lookAgain = nullptr;
};

} // namespace daylark
