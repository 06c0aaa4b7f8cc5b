#include "ui/tray/TrayIcon.h"

#include "alarms/CAlarmEntry.h"
#include "app/DesktopPresence.h"
#include "ui/page/PageTextMapping.h"
#include "ui/platform/AppIcon.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace daylark {

TrayIcon::TrayIcon(Window window, const DisplayFlags& flags, DesktopPresence& presence,
                   QObject* parent)
    : QObject(parent)
    , m_window(std::move(window))
    , m_logic(flags)
    , m_presence(presence)
    , m_menu(std::make_unique<QMenu>())
    , m_lookAgain(new QTimer(this))
{
    m_menu->setObjectName("trayMenu");
    connect(m_menu.get(), &QMenu::aboutToShow, this, &TrayIcon::buildMenu);
    buildMenu();
    m_lookAgain->setObjectName("lookForTrayTimer");
    m_lookAgain->setInterval(kLookForTrayMs);
    connect(m_lookAgain, &QTimer::timeout, this, &TrayIcon::lookForTray);
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::start()
{
    lookForTray();
    m_lookAgain->start();
}

void TrayIcon::lookForTray()
{
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available && m_icon == nullptr) {
        m_icon = std::make_unique<QSystemTrayIcon>(applicationIcon());
        m_icon->setObjectName("trayIcon");
        m_icon->setToolTip(QStringLiteral("Daylark"));
        m_icon->setContextMenu(m_menu.get());
        connect(m_icon.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger) {
                        run(view() == WindowView::Shown ? TrayMenu::Command::HideWindow
                                                        : TrayMenu::Command::ShowWindow);
                    }
                });
    }
    if (m_icon == nullptr || available == m_icon->isVisible()) {
        return;
    }
    m_icon->setVisible(available);
    m_presence.setTrayShown(available);
    // While the icon shows, the window may be hidden and a last box closed: the program ends
    // only by closing the window (or Quit).
    QApplication::setQuitOnLastWindowClosed(!available);
    if (!available && view() == WindowView::Hidden) {
        run(TrayMenu::Command::ShowWindow); // the tray went: the window is the way back
    }
}

void TrayIcon::buildMenu()
{
    m_menu->clear();
    m_menu->addSection(tr("Today's Alarms"));
    for (const TrayMenu::Entry& entry : m_logic.entries(m_window.todaysAlarms(), view())) {
        QAction* action = nullptr;
        switch (entry.kind) {
        case TrayMenu::Entry::Kind::Separator:
            m_menu->addSeparator();
            continue;
        case TrayMenu::Entry::Kind::Alarm:
            // A name's "&" is shown, not taken for a shortcut.
            action = m_menu->addAction(
                displayTextFromPage(entry.text).replace(QLatin1Char('&'), QStringLiteral("&&")));
            action->setObjectName("trayAlarm");
            action->setEnabled(!entry.announced); // greyed once it has rung
            break;
        case TrayMenu::Entry::Kind::NoAlarms:
            action = m_menu->addAction(tr("No alarms today"));
            action->setObjectName("trayNoAlarms");
            action->setEnabled(false);
            break;
        case TrayMenu::Entry::Kind::More:
            action = m_menu->addAction(tr("%n more alarm(s)", "", int(entry.hidden)));
            action->setObjectName("trayMoreAlarms");
            break;
        case TrayMenu::Entry::Kind::Window:
            action = m_menu->addAction(entry.command == TrayMenu::Command::HideWindow
                                           ? tr("&Hide Daylark")
                                           : tr("&Show Daylark"));
            action->setObjectName("trayWindow");
            break;
        case TrayMenu::Entry::Kind::Quit:
            action = m_menu->addAction(tr("&Quit"));
            action->setObjectName("trayQuit");
            break;
        }
        connect(action, &QAction::triggered, this,
                [this, command = entry.command] { run(command); });
    }
}

void TrayIcon::run(TrayMenu::Command command)
{
    switch (command) {
    case TrayMenu::Command::None:
        return;
    case TrayMenu::Command::ShowWindow:
        m_window.bringToFront();
        return;
    case TrayMenu::Command::HideWindow:
        m_window.widget.hide();
        return;
    case TrayMenu::Command::Quit:
        m_window.quit();
        return;
    }
}

} // namespace daylark
