# Alarms: the alarm record and file, today's alarms and their announcement, the alarm dialog's
# logic.
target_sources(daylark_core PRIVATE
    alarms/AlarmSchedule.cpp
    alarms/CAlarmDlg.cpp
    alarms/CAlarmEntry.cpp
    alarms/CAlarmFile.cpp
    alarms/CDaylarkAlarm.cpp
)
