#pragma once

#include "format/CObject.h"

#include <cstdint>
#include <string>

namespace daylark {

/// How often an alarm falls. 6 is not used.
enum class Frequency : std::int16_t {
    Once = 0,
    Daily = 1,
    Weekly = 2,
    Biweekly = 3,
    Monthly = 4,
    Yearly = 5,
    Birthday = 7,
};

/// An alarm or reminder.
struct CDaylarkAlarm : CObject
{
    static const ClassInfo kClass;
    static constexpr std::int32_t kWrittenVersion = 101; ///< every alarm is written with it
    /// Records of this version and later carry VisibleOnCalendar; older ones stop before it.
    static constexpr std::int32_t kFirstVisibleFlagVersion = 101;

    std::string Name;
    std::int64_t Time = 0; ///< local date and time of day; the anchor of a recurrence
    std::int32_t RecordVersion = kWrittenVersion;
    std::int16_t Frequency = static_cast<std::int16_t>(daylark::Frequency::Daily);
    std::int32_t MessageBoxFlag = 1;
    std::int32_t Announced = 0;
    std::int32_t VisibleOnCalendar = 1;

    const ClassInfo& classInfo() const override { return kClass; }
    /// Same field values (the record files tell a holder's own edits by them).
    bool operator==(const CDaylarkAlarm& other) const;
    /// Fields on file: version, time, name, then four WORDs; VisibleOnCalendar only from
    /// kFirstVisibleFlagVersion on (older records keep it set).
    void Serialize(CRecordArchive& ar) override;
};

} // namespace daylark
