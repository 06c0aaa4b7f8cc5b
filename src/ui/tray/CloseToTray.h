#pragma once

class QWidget;

namespace daylark {

class DesktopPresence;

/// The main window's close with a tray: the close box hides the window in the tray when the
/// user chose so, while Exit and the tray's Quit still end the program.
class CloseToTray
{
public:
    /// From now on `presence` (which must outlive this) decides; without it every close closes.
    void setPresence(DesktopPresence& presence) { m_presence = &presence; }

    /// At the start of the window's close: hides `window` and returns true when this close is
    /// to hide it instead (the close is then refused).
    bool hidInstead(QWidget& window) const;
    /// Closes `window` as a command that ends the program.
    void quit(QWidget& window);
    /// The window has closed: ends the program, which the tray otherwise keeps running.
    static void closed();

private:
    DesktopPresence* m_presence = nullptr;
    bool m_quitting = false;
};

} // namespace daylark
