#include "platform/MonotonicClock.h"

#include <gtest/gtest.h>

#include <ctime>

namespace daylark {

namespace {

std::chrono::nanoseconds systemMonotonic()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

} // namespace

TEST(SteadyClock, ReadsTheSystemsMonotonicClockNotTheTimeOfDay)
{
    // The time of day would pass for a running clock too, but moves when the user sets the
    // date; only the monotonic clock lies between these two readings.
    const auto before = systemMonotonic();
    const auto reading = SteadyClock().now();
    const auto after = systemMonotonic();
    EXPECT_LE(before, reading);
    EXPECT_LE(reading, after);
}

} // namespace daylark
