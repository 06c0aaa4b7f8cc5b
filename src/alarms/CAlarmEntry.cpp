#include "alarms/CAlarmEntry.h"

#include "alarms/CDaylarkAlarm.h"

namespace daylark {

CAlarmEntry::CAlarmEntry(const CDaylarkAlarm& alarm)
    : Time(alarm.Time)
    , Frequency(alarm.Frequency)
    , Name(alarm.Name)
    , MessageBoxFlag(alarm.MessageBoxFlag)
    , Announced(alarm.Announced)
    , VisibleOnCalendar(alarm.VisibleOnCalendar)
{}

} // namespace daylark
