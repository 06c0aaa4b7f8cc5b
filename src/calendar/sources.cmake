# The calendar: the month grid, the contents of its day cells and the calendar's alarm entries.
target_sources(daylark_core PRIVATE
    calendar/CalendarDay.cpp
    calendar/CalendarMonth.cpp
    calendar/MonthGrid.cpp
)
