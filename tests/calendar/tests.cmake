# The month grid and the logic of the calendar dialog and the day view.
daylark_add_core_test(calendar_tests calendar/CDayViewDlgTest.cpp)
