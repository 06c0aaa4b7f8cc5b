#include "calendar/CCalendarDlg.h"

#include "alarms/CAlarmFile.h"
#include "platform/LocalTime.h"
#include "support/DataSetTestFiles.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <memory>

namespace daylark::test {
namespace {

using monthgrid::ScrollBar;
using monthgrid::ScrollCode;

/// A calendar opened on Wednesday 20 March 2024 (grid 25 February to 6 April), with one weekly
/// alarm on Tuesdays.
struct Calendar
{
    Calendar()
    {
        alarms.add(
            std::make_unique<CDaylarkAlarm>(alarm("Gym", "2024-01-02 18:00", Frequency::Weekly)));
        dialog.Open();
    }

    CalendarDate focused() const
    {
        return monthgrid::cellDate(dialog.gridStart(), dialog.focusIndex());
    }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    RecordingSink sink;
    FixedClock clock{makeLocalTime(2024, 3, 20, 9, 30)};
    CAlarmFile alarms{dir.file("daylark.alm"), sink};
    CalendarColours mainColours;
    WindowPlacement placement = WindowPlacement::calendarDefault();
    CCalendarDlg dialog{alarms, mainColours, placement, clock};
};

TEST(CCalendarDlg, OpensOnTodaysMonthWithTheFocusOnToday)
{
    Calendar c;
    EXPECT_EQ(c.dialog.displayedMonth(), 3);
    EXPECT_EQ(c.dialog.monthSelection(), 2);
    EXPECT_EQ(c.dialog.yearText(), "2024");
    EXPECT_EQ(c.dialog.focusIndex(), 24);
    EXPECT_EQ(c.dialog.cell(24).cellClass, CellClass::Today);
    EXPECT_EQ(c.dialog.cell(23).alarmNames, std::vector<std::string>{"Gym"}); // Tuesday 19th
    EXPECT_EQ(c.dialog.refreshCount(), 1u);
}

TEST(CCalendarDlg, ScrollsMoveTheLabelsAtOnceAndRefreshOnceWhenTheTimerFires)
{
    Calendar c;
    for (int click = 0; click < 3; ++click) {
        c.dialog.Scroll(ScrollBar::Year, ScrollCode::LineUp);
    }
    EXPECT_EQ(c.dialog.yearText(), "2027");
    EXPECT_EQ(c.dialog.monthSelection(), 2);
    EXPECT_TRUE(c.dialog.scrollTimerRunning());
    EXPECT_EQ(c.dialog.refreshCount(), 1u);

    c.dialog.ScrollTimerFired();
    EXPECT_FALSE(c.dialog.scrollTimerRunning());
    EXPECT_EQ(c.dialog.refreshCount(), 2u);
    c.dialog.ScrollTimerFired(); // a late timer event of a stopped timer
    EXPECT_EQ(c.dialog.refreshCount(), 2u);
    EXPECT_EQ(c.dialog.displayedYear(), 2027);
    // 20 March 2027 is an ordinary day: today is a whole date.
    EXPECT_EQ(c.focused(), (CalendarDate{2027, 3, 20}));
    EXPECT_EQ(c.dialog.cell(c.dialog.focusIndex()).cellClass, CellClass::Month);

    c.dialog.Scroll(ScrollBar::Month, ScrollCode::LineDown);
    EXPECT_EQ(c.dialog.monthSelection(), 1);
    EXPECT_EQ(c.dialog.yearText(), "2027");
}

TEST(CCalendarDlg, ArrowKeysMoveTheFocusAndStepAWeekPastTheEdges)
{
    Calendar c;
    for (int up = 0; up < 3; ++up) {
        c.dialog.MoveFocus(0, -1);
    }
    EXPECT_EQ(c.dialog.focusIndex(), 3); // 28 February, top row
    EXPECT_EQ(c.dialog.refreshCount(), 1u);
    c.dialog.MoveFocus(0, -1);
    EXPECT_EQ(c.focused(), (CalendarDate{2024, 2, 21}));
    EXPECT_EQ(c.dialog.focusIndex(), 3);
    EXPECT_EQ(c.dialog.cell(0).date, (CalendarDate{2024, 2, 18}));
    EXPECT_EQ(c.dialog.displayedMonth(), 3); // a week-shifted grid still shows March
    EXPECT_EQ(c.dialog.refreshCount(), 2u);

    for (int left = 0; left < 4; ++left) {
        c.dialog.MoveFocus(-1, 0);
    }
    EXPECT_EQ(c.focused(), (CalendarDate{2024, 2, 17}));
    EXPECT_EQ(c.dialog.focusIndex(), 6); // the Saturday at the end of the row above
    EXPECT_EQ(c.dialog.cell(0).date, (CalendarDate{2024, 2, 11}));

    // Week buttons keep the focused day while it is in the grid, else its cell.
    c.dialog.WeekForward();
    EXPECT_EQ(c.dialog.focusIndex(), 6);
    EXPECT_EQ(c.focused(), (CalendarDate{2024, 2, 24}));

    // Month steps (Page Up, Page Down, the buttons) go to the same day of the new month.
    c.dialog.MonthForward();
    EXPECT_EQ(c.dialog.displayedMonth(), 3);
    EXPECT_EQ(c.focused(), (CalendarDate{2024, 3, 24}));
    c.dialog.ChooseMonth(1);
    EXPECT_EQ(c.focused(), (CalendarDate{2024, 2, 24}));
    c.dialog.MoveFocus(1, 0);
    c.dialog.MoveFocus(1, 0);
    c.dialog.MoveFocus(1, 0);
    c.dialog.MoveFocus(1, 0);
    c.dialog.MoveFocus(1, 0); // 29 February
    c.dialog.MonthBack();
    EXPECT_EQ(c.focused(), (CalendarDate{2024, 1, 29}));
    c.dialog.MoveFocus(0, 1);
    c.dialog.MoveFocus(1, 0); // 6 February
    c.dialog.MonthBack();     // across New Year
    c.dialog.ChooseMonth(12); // not a month: nothing
    EXPECT_EQ(c.focused(), (CalendarDate{2023, 12, 6}));

    c.dialog.Home();
    EXPECT_EQ(c.dialog.displayedMonth(), 3);
    EXPECT_EQ(c.dialog.displayedYear(), 2024);
    EXPECT_EQ(c.dialog.focusIndex(), 24);
}

TEST(CCalendarDlg, AChosenCellIsTheDayHandedOnAndOkAloneRecordsThePlacement)
{
    Calendar c;
    EXPECT_EQ(c.dialog.chosenDay(), makeLocalTime(2024, 3, 20)); // the focused cell
    c.dialog.ChooseCell(41);
    EXPECT_EQ(c.dialog.popupTarget(), 41);
    EXPECT_EQ(c.dialog.chosenDay(), makeLocalTime(2024, 4, 6));
    EXPECT_EQ(c.dialog.focusIndex(), 41);
    c.dialog.ChooseCell(42); // no such cell
    EXPECT_EQ(c.dialog.popupTarget(), 41);

    // The settings dialog changes the calendar's copy; its close hands it to the main window.
    c.dialog.colours().today = 0x00123456;
    EXPECT_EQ(c.mainColours.today, CalendarColours{}.today);
    EXPECT_EQ(c.dialog.cell(24).textBackground, 0x00123456u);
    c.dialog.SettingsClosed();
    EXPECT_EQ(c.mainColours.today, 0x00123456u);

    WindowPlacement moved;
    moved.left = 100;
    moved.top = 50;
    moved.right = 700;
    moved.bottom = 550;
    c.dialog.Cancel();
    EXPECT_EQ(c.placement, WindowPlacement::calendarDefault());
    EXPECT_FALSE(c.dialog.popupTarget());
    EXPECT_TRUE(c.dialog.cell(23).alarmNames.empty()); // the alarm copies are gone

    CCalendarDlg again(c.alarms, c.mainColours, c.placement, c.clock);
    again.Open();
    again.Ok(moved);
    EXPECT_EQ(c.placement, moved);
}

} // namespace
} // namespace daylark::test
