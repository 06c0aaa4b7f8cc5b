#pragma once

#include "platform/MessageSink.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace daylark {

/// Sits between the core and the window's message boxes so that a save which keeps failing
/// is reported once, not every two idle seconds. Everything passes through unchanged, except
/// during a quiet retry: there an exclamation box whose text the last failed save already
/// showed is answered OK without showing it again. Any other message (an alarm, a new kind of
/// failure) still shows.
class QuietRetrySink : public MessageSink
{
public:
    enum class Retry { Loud, Quiet };

    /// `inner` shows the messages; it must outlive this sink.
    explicit QuietRetrySink(MessageSink& inner)
        : m_inner(inner)
    {}

    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override;
    void notify(const std::string& text, const std::string& caption) override;

    /// Runs a save (true when it succeeded). A failed save remembers the failures it reported;
    /// a save that succeeds forgets them.
    bool runSave(const std::function<bool()>& save, Retry retry);
    /// The last save failed and no save has succeeded since.
    bool failing() const { return m_failing; }
    /// A box is open (its nested event loop runs what comes meanwhile).
    bool boxOpen() const { return m_boxesOpen > 0; }
    /// The first failure the last failed save reported, for the status bar.
    const std::string& failure() const { return m_failure; }

private:
    MessageSink& m_inner;
    int m_boxesOpen = 0;
    bool m_saving = false;
    bool m_quiet = false;
    bool m_failing = false;
    std::string m_failure;
    std::set<std::string> m_known;      ///< reported by the failed saves so far
    std::vector<std::string> m_current; ///< reported during the save that runs now, in order
};

} // namespace daylark
