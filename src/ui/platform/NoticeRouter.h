#pragma once

#include "app/DesktopPresence.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QMessageBox;
class QWidget;

namespace daylark {

class DesktopNotifier;

/// Where `window` stands for the user: shown, or out of sight (hidden or minimised).
WindowView windowViewOf(const QWidget& window);

/// Takes the core's notices where the user will see them, by where the main window stands:
/// the status bar while it shows; the desktop's notifications while it is hidden in the tray
/// or minimised; and, when no notification service takes one, the status bar if the window
/// shows by then, else a box of its own. The box does not wait for an answer: the core that
/// sent the notice goes on at once.
class NoticeRouter : public QObject
{
    Q_OBJECT

public:
    /// `window` and `notifier` must outlive the router; `showStatus` puts a line in the status
    /// bar.
    NoticeRouter(QWidget& window, DesktopNotifier& notifier,
                 std::function<void(const QString&)> showStatus);
    ~NoticeRouter() override;

    /// A notice of the core: `text` and `caption` are its bytes, as a page holds them.
    void notify(const std::string& text, const std::string& caption);
    /// A message box of the core is about to show: while the window is out of sight the
    /// desktop is told too.
    void boxShowing(const std::string& text, const std::string& caption);

private:
    WindowView view() const { return windowViewOf(m_window); }
    void toDesktop(const std::string& text, const std::string& caption, bool fallBack);
    /// The desktop did not take the notice.
    void fallBack(const std::string& text, const std::string& caption);
    void showBox(const QString& caption, const QString& text);

    QWidget& m_window;
    DesktopNotifier& m_notifier;
    std::function<void(const QString&)> m_showStatus;
    /// The boxes still open: the ones left when the program ends go with the router.
    std::vector<QPointer<QMessageBox>> m_boxes;
};

} // namespace daylark
