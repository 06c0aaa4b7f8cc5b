#include "platform/MonotonicClock.h"

std::chrono::nanoseconds daylark::SteadyClock::now() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}
