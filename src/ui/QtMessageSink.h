#pragma once

#include "platform/MessageSink.h"

#include <functional>

class QWidget;

namespace daylark {

/// The desktop program's message sink: a message box owned by the main window for ask(), the
/// status bar (through `showStatus`) for notify(). Before a box shows, the window is restored,
/// raised and the desktop is asked to draw attention to it.
class QtMessageSink : public MessageSink
{
public:
    QtMessageSink() = default;
    /// The window that owns the boxes and the status line that notifications go to.
    void setWindow(QWidget* window, std::function<void(const std::string&)> showStatus);

    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override;
    void notify(const std::string& text, const std::string& caption) override;

private:
    QWidget* m_window = nullptr;
    std::function<void(const std::string&)> m_showStatus;
};

} // namespace daylark
