#pragma once

#include <cstdint>

namespace daylark {

/// The current time, in seconds since 1970-01-01 00:00:00 UTC. Passed in, so tests fix it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::int64_t now() const = 0;
};

/// The machine's clock.
class SystemClock : public Clock
{
public:
    std::int64_t now() const override;
};

} // namespace daylark
