daylark_add_core_test(calendar_tests
    calendar/CCalendarDlgTest.cpp
    calendar/CDayViewDlgTest.cpp
    calendar/CalendarDayTest.cpp
    calendar/CalendarMonthTest.cpp
    calendar/MonthGridTest.cpp
)
