#include "ui/tray/CloseToTray.h"

#include "app/DesktopPresence.h"

#include <QGuiApplication>
#include <QWidget>

namespace daylark {

bool CloseToTray::hidInstead(QWidget& window) const
{
    if (m_presence == nullptr ||
        !m_presence->hidesOnClose(m_quitting ? CloseRequest::Quit : CloseRequest::CloseBox)) {
        return false;
    }
    window.hide();
    return true;
}

void CloseToTray::quit(QWidget& window)
{
    m_quitting = true;
    window.close();
    m_quitting = false; // the close may have been refused: the close box is back to its rule
}

void CloseToTray::closed()
{
    // With the tray icon up, closing the last window does not end the program by itself, so
    // that closing a box while the window is in the tray does not either.
    if (!QGuiApplication::quitOnLastWindowClosed()) {
        QCoreApplication::quit();
    }
}

} // namespace daylark
