# Alarms: the alarm record and file, today's alarms.
target_sources(daylark_core PRIVATE
    alarms/CDaylarkAlarm.cpp
)
