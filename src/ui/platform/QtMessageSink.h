#pragma once

#include "platform/MessageSink.h"
#include "ui/platform/NoticeRouter.h"

#include <QPointer>

#include <functional>

class QWidget;

namespace daylark {

/// The desktop program's message sink: a message box owned by the main window for ask(), the
/// status bar (through `showStatus`) or the notice router for notify(). Before a box shows,
/// `bringForward` lets the window come to the front (shown, restored, raised, the desktop asked to
/// draw attention).
class QtMessageSink : public MessageSink
{
public:
    QtMessageSink() = default;
    /// The window that owns the boxes, how it comes forward and the status line that
    /// notifications go to.
    void setWindow(QWidget* window, std::function<void()> bringForward,
                   std::function<void(const std::string&)> showStatus);

    /// From now on, while `notices` lasts, notifications go through it, and a box that shows
    /// while the window is out of sight is told to the desktop too.
    void setNotices(NoticeRouter& notices) { m_notices = &notices; }

    /// The program is ending and nobody is there to answer: boxes go to standard error instead
    /// and get their most careful answer (OK, No, Cancel), so the last save cannot wait for one.
    void setUnattended() { m_unattended = true; }

    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override;
    void notify(const std::string& text, const std::string& caption) override;

private:
    QWidget* m_window = nullptr;
    std::function<void()> m_bringForward;
    std::function<void(const std::string&)> m_showStatus;
    QPointer<NoticeRouter> m_notices;
    bool m_unattended = false;
};

} // namespace daylark
