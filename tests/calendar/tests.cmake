daylark_add_core_test(calendar_tests
    calendar/CalendarDayTest.cpp
    calendar/CalendarMonthTest.cpp
    calendar/MonthGridTest.cpp
)
