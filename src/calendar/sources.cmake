# The calendar: month grid, calendar dialog, day view.
target_sources(daylark_core PRIVATE
    calendar/CalendarColours.cpp
)
