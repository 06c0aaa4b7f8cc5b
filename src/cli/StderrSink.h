#pragma once

#include "platform/MessageSink.h"

#include <iosfwd>

namespace daylark {

/// The CLI's message sink: every box goes to standard error as its caption in square brackets
/// on a line of its own, then its text. It never asks: a Yes/No/Cancel question answers
/// Cancel. It remembers whether a failure (an exclamation box) was shown.
class StderrSink : public MessageSink
{
public:
    explicit StderrSink(std::ostream& err);
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override;
    void notify(const std::string& text, const std::string& caption) override;
    bool failureShown() const { return m_failureShown; }

private:
    std::ostream& m_err;
    bool m_failureShown = false;
};

} // namespace daylark
