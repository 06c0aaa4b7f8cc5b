#pragma once

#include <cstddef>
#include <string>

namespace daylark {

enum class MessageIcon { Information, Exclamation };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

/// Where the core's messages go: a message box in the desktop program, standard error in the
/// CLI, a recorder in tests. Passed in, never reached for.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    /// A message box: does not return before the user answers. The desktop program's timers
    /// keep running while it is open, so a caller must be ready for a nested tick.
    virtual MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) = 0;
    /// A message that needs no answer (status bar or desktop notification).
    virtual void notify(const std::string& text, const std::string& caption) = 0;

    /// An exclamation box with one OK button under the program's caption: how every failure
    /// is shown.
    void error(const std::string& text)
    {
        ++m_failuresShown;
        ask(text, kCaption, MessageIcon::Exclamation, MessageButtons::Ok);
    }
    /// An information box with one OK button.
    void inform(const std::string& text, const std::string& caption = kCaption)
    {
        ask(text, caption, MessageIcon::Information, MessageButtons::Ok);
    }

    /// How many failures error() has shown so far: work of many steps, each reporting its own
    /// failures, compares it before and after to learn whether it all went well.
    std::size_t failuresShown() const { return m_failuresShown; }

    static constexpr const char* kCaption = "Daylark";

private:
    std::size_t m_failuresShown = 0;
};

} // namespace daylark
