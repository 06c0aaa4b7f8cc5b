#pragma once

#include "platform/Clock.h"

namespace daylark::test {

/// A clock that says what the test sets.
class FixedClock : public Clock
{
public:
    explicit FixedClock(std::int64_t now = 0)
        : time(now)
    {}
    std::int64_t now() const override { return time; }
    void advance(std::int64_t seconds) { time += seconds; }

    std::int64_t time;
};

} // namespace daylark::test
