#pragma once

#include "platform/MessageSink.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace daylark::test {

/// A message sink that records every message and answers questions from a queue (Cancel when
/// the queue is empty, OK for boxes with one button).
class RecordingSink : public MessageSink
{
public:
    struct Message
    {
        std::string text;
        std::string caption;
        MessageIcon icon = MessageIcon::Information;
        MessageButtons buttons = MessageButtons::Ok;
        bool isNotification = false;
    };

    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override;
    void notify(const std::string& text, const std::string& caption) override;

    /// The texts of every message, boxes and notifications, in order.
    std::vector<std::string> texts() const;
    void clear() { messages.clear(); }

    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;
    /// Runs once, from inside the next box, as a tick or a save that comes while a real box is
    /// open would. It is cleared before it runs, so a box it shows does not run it again.
    std::function<void()> whileOpen;
};

} // namespace daylark::test
