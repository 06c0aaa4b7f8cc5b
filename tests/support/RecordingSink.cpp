#include "support/RecordingSink.h"

#include <utility>

namespace daylark::test {

MessageAnswer RecordingSink::ask(const std::string& text, const std::string& caption,
                                 MessageIcon icon, MessageButtons buttons)
{
    messages.push_back({text, caption, icon, buttons, false});
    MessageAnswer answer = MessageAnswer::Cancel;
    if (buttons == MessageButtons::Ok) {
        answer = MessageAnswer::Ok;
    } else if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    if (whileOpen) {
        std::exchange(whileOpen, nullptr)();
    }
    return answer;
}

void RecordingSink::notify(const std::string& text, const std::string& caption)
{
    messages.push_back({text, caption, MessageIcon::Information, MessageButtons::Ok, true});
}

std::vector<std::string> RecordingSink::texts() const
{
    std::vector<std::string> result;
    result.reserve(messages.size());
    for (const Message& message : messages) {
        result.push_back(message.text);
    }
    return result;
}

} // namespace daylark::test
