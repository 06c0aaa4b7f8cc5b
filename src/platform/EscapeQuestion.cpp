#include "platform/EscapeQuestion.h"

#include "platform/MessageSink.h"

#include <string>

namespace daylark {

bool EscapeAsking(MessageSink& messages, std::string_view caption, bool changes,
                  const std::function<bool()>& ok, const std::function<void()>& cancel)
{
    if (!changes) {
        cancel();
        return true;
    }
    switch (messages.ask("Keep your changes?", std::string(caption), MessageIcon::Exclamation,
                         MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        return ok();
    case MessageAnswer::No:
        cancel();
        return true;
    case MessageAnswer::Ok:
    case MessageAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace daylark
