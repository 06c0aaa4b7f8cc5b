# Alarms: the alarm record and file, today's alarms and their announcement.
target_sources(daylark_core PRIVATE
    alarms/AlarmSchedule.cpp
    alarms/CAlarmEntry.cpp
    alarms/CAlarmFile.cpp
    alarms/CDaylarkAlarm.cpp
)
