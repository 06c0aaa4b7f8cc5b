# The calendar: the month grid, the contents of its day cells, the calendar's alarm entries and
# the day view's logic.
target_sources(daylark_core PRIVATE
    calendar/CDayViewDlg.cpp
    calendar/CalendarDay.cpp
    calendar/CalendarMonth.cpp
    calendar/MonthGrid.cpp
)
