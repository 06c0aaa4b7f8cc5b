#pragma once

#include <cstdint>
#include <string>

namespace daylark {

struct CDaylarkAlarm;

/// The in-memory copy of an alarm that today's alarms and the calendar work with.
struct CAlarmEntry
{
    std::int64_t Time = 0;
    std::int32_t Frequency = 0;
    std::string Name;
    std::int32_t MessageBoxFlag = 1;
    std::int32_t Announced = 0;
    std::int32_t VisibleOnCalendar = 1;

    CAlarmEntry() = default;
    /// Copies the alarm's time, frequency, name and three flags.
    explicit CAlarmEntry(const CDaylarkAlarm& alarm);
};

} // namespace daylark
