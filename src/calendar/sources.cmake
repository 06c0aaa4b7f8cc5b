# The calendar: the month grid and the logic of the calendar dialog and the day view. Nothing of
# it is written yet; its sources go into a target_sources(daylark_core PRIVATE ...) here.
target_sources(daylark_core PRIVATE
    calendar/CDayViewDlg.cpp
)
