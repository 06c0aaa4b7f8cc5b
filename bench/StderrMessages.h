#pragma once

#include "platform/MessageSink.h"

#include <iostream>
#include <string>

namespace daylark::bench {

/// A benchmark's message sink: the core says nothing when its work succeeds, so every box is
/// a failure, written to standard error and counted.
class StderrMessages : public MessageSink
{
public:
    MessageAnswer ask(const std::string& text, const std::string&, MessageIcon,
                      MessageButtons) override
    {
        std::cerr << text << '\n';
        ++failures;
        return MessageAnswer::Ok;
    }
    void notify(const std::string& text, const std::string&) override { std::cerr << text << '\n'; }

    int failures = 0;
};

} // namespace daylark::bench
