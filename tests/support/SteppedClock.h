#pragma once

#include "platform/MonotonicClock.h"

namespace daylark::test {

/// A monotonic clock that stands still until the test steps it on.
class SteppedClock : public MonotonicClock
{
public:
    explicit SteppedClock(std::chrono::nanoseconds now = {})
        : time(now)
    {}
    std::chrono::nanoseconds now() const override { return time; }
    void advance(std::chrono::nanoseconds span) { time += span; }

    std::chrono::nanoseconds time;
};

} // namespace daylark::test
