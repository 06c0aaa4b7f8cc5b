#pragma once

#include <string>

namespace daylark {

class Profile;

/// How the main window stands on the desktop: shown, or out of sight (hidden in the tray or
/// minimised).
enum class WindowView { Shown, Hidden };

/// What asked the main window to close: its close box (or the desktop on the user's behalf),
/// or a command that ends the program (Exit, the tray's Quit).
enum class CloseRequest { CloseBox, Quit };

/// Where a message that needs no answer goes.
enum class NoticeWay { StatusBar, Desktop, Box };

/// A message as the desktop's notification service shows it: a one-line summary and a body in
/// the service's small markup.
struct DesktopNotice
{
    std::string summary;
    std::string body;
};

/// The program's place on a desktop with a tray and a notification service: whether closing
/// the window hides it in the tray, and where the core's notices go while the window is out of
/// sight. The profile is borrowed; the setting is read at each close, so a change in the
/// settings dialog counts at once.
class DesktopPresence
{
public:
    explicit DesktopPresence(const Profile& profile);

    /// The tray icon shows (or has gone with the tray host).
    void setTrayShown(bool shown) { m_trayShown = shown; }
    bool trayShown() const { return m_trayShown; }

    /// Whether the window hides in the tray instead of closing: only for its close box, only
    /// with "Close to tray" set and a tray icon to come back from.
    bool hidesOnClose(CloseRequest request) const;

    /// The first way for a notice: the status bar while the window shows (the user is looking
    /// at it), the desktop's notifications while it is out of sight.
    static NoticeWay noticeWay(WindowView view);
    /// Where a notice goes when the desktop's notification service did not take it: the status
    /// bar if the window shows by then, else a box, so it is never lost.
    static NoticeWay fallbackWay(WindowView view);
    /// A message box about to show while the window is out of sight is also told to the
    /// desktop: the box may come up where the user is not looking.
    static bool boxAlsoOnDesktop(WindowView view) { return view == WindowView::Hidden; }

    /// The notice the desktop shows for the core's `text` under `caption` (UTF-8 bytes): the
    /// caption as summary (the program's name when empty); the text with its line breaks as LF,
    /// without the trailing ones, and `&`, `<`, `>` written as entities, since a service may
    /// read the body as markup.
    static DesktopNotice desktopNotice(const std::string& text, const std::string& caption);

private:
    const Profile& m_profile;
    bool m_trayShown = false;
};

} // namespace daylark
