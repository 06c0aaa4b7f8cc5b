daylark_add_core_test(alarms_tests
    alarms/AlarmScheduleTest.cpp
    alarms/CAlarmDlgTest.cpp
    alarms/CAlarmFileTest.cpp
)
