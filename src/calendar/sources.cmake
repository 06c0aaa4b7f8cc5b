# The calendar: the month grid, the contents of its day cells, the calendar's alarm entries and
# the logic of the calendar dialog and the day view.
target_sources(daylark_core PRIVATE
    calendar/CCalendarDlg.cpp
    calendar/CDayViewDlg.cpp
    calendar/CalendarDay.cpp
    calendar/CalendarMonth.cpp
    calendar/MonthGrid.cpp
)
