#pragma once

#include <chrono>

namespace daylark {

/// A clock for measuring spans of time: it only runs forward, and setting the system clock (by
/// hand, or by time synchronisation) does not move it. A reading means nothing on its own,
/// only the difference of two does. Passed in, so tests step it.
class MonotonicClock
{
public:
    virtual ~MonotonicClock() = default;
    virtual std::chrono::nanoseconds now() const = 0;
};

/// The machine's monotonic clock.
class SteadyClock : public MonotonicClock
{
public:
    std::chrono::nanoseconds now() const override;
};

} // namespace daylark
