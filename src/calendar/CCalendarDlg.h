#pragma once

#include "calendar/CalendarMonth.h"
#include "calendar/MonthGrid.h"
#include "platform/CalendarColours.h"
#include "platform/WindowPlacement.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace daylark {

class CAlarmFile;
class Clock;

/// The "Calendar" dialog without its window: the month grid with its cells, the navigation
/// by month, week, month list and the two scroll bars, a keyboard focus on one cell, the day
/// pop-up's target, the calendar's copy of the colours and its placement.
///
/// The alarms are those of the main window's alarm file, which the Calendar command loads
/// before and lets go after; every refresh copies the ones that may fall in the grid. A
/// scroll bar moves the year label and the month list at once and refreshes the grid one
/// second after the last scroll: the view runs that timer and calls ScrollTimerFired.
class CCalendarDlg
{
public:
    static constexpr std::string_view kTitle = "Calendar";
    static constexpr std::string_view kDayPopupTitle = "Calendar Day";
    static constexpr std::string_view kNotes = "Notes";
    static constexpr std::string_view kAlarm = "Alarm";
    /// The year label before the first refresh.
    static constexpr std::string_view kYearBeforeRefresh = "1955";
    static constexpr int kScrollRefreshMilliseconds = 1000;
    static constexpr std::array<std::string_view, 7> kDayNames = {
        "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

    /// The grid of the current month. `colours` and `placement` are the main window's: the
    /// calendar works on a copy of the colours and writes them back after the settings
    /// dialog; OK records the placement. All four must outlive the dialog.
    CCalendarDlg(const CAlarmFile& alarms, CalendarColours& colours, WindowPlacement& placement,
                 const Clock& clock);

    /// Dialog initialisation: the first refresh; the focus is on today.
    void Open();
    /// Selects the displayed month in the month list, copies the alarms that may fall in the
    /// grid and shows the displayed year. The alarm dialog asks for it after it closes.
    void Refresh();

    void MonthBack();
    void WeekBack();
    void WeekForward();
    void MonthForward();
    /// Month steps take the focus to the same day of the new month (its last day when the
    /// month is shorter); week steps keep the focused day while it is in the grid.
    /// A month picked in the month list, 0 = January, in the displayed year.
    void ChooseMonth(int position);
    /// Home: the grid of today's month, the focus on today.
    void Home();
    /// A notice of the year or the month bar: the grid start, the year label and the month list
    /// change at once; the grid is refreshed when the scroll timer fires.
    void Scroll(monthgrid::ScrollBar bar, monthgrid::ScrollCode code);
    /// Whether the one-second scroll timer is to run (a scroll started or restarted it).
    bool scrollTimerRunning() const { return m_scrollTimerRunning; }
    /// The scroll timer fired: it stops and the grid is refreshed.
    void ScrollTimerFired();

    /// An arrow key: moves the focus one cell (`columns` and `rows` each -1, 0 or 1). Past the
    /// grid's top or bottom edge, or past its first or last cell, the grid steps a week.
    void MoveFocus(int columns, int rows);
    /// A click on cell `index`, or Enter or the Menu key on the focused cell: the cell becomes
    /// the day pop-up's target and takes the focus.
    void ChooseCell(int index);
    /// The cell the day pop-up was opened for; none once the dialog closed.
    std::optional<int> popupTarget() const { return m_popupTarget; }
    /// Local midnight of the target cell's date: the day handed to the day view. The focused
    /// cell's when no pop-up was opened.
    std::int64_t chosenDay() const;

    /// The copy of the colours that the settings dialog changes in place.
    CalendarColours& colours() { return m_colours; }
    /// The settings dialog closed (by any button): the main window takes the calendar's colours.
    void SettingsClosed();

    /// OK: the pop-up target is forgotten, the alarm copies go, and `shown` (where the window
    /// stands now) becomes the main window's calendar placement.
    void Ok(const WindowPlacement& shown);
    /// Escape or the close box: as OK, but the placement stays as it was.
    void Cancel();

    /// Where the window opens.
    const WindowPlacement& placement() const { return m_placement; }
    int displayedMonth() const { return m_month.displayedMonth(); }
    int displayedYear() const { return m_month.displayedYear(); }
    /// The month list's selection, 0 = January.
    int monthSelection() const { return m_monthSelection; }
    const std::string& yearText() const { return m_yearText; }
    /// What cell `index` (0 to monthgrid::kCells - 1) shows, with today's colour on today.
    CalendarCell cell(int index) const;
    /// The cell with the keyboard focus.
    int focusIndex() const;
    /// How many refreshes ran: a view repaints the grid when it goes up.
    std::uint64_t refreshCount() const { return m_refreshCount; }
    std::int64_t gridStart() const { return m_month.gridStart(); }
    /// The copies of the alarms that may fall in the grid, made by the last refresh.
    std::size_t alarmEntryCount() const { return m_month.alarmEntries().size(); }

private:
    CalendarDate today() const;
    /// Where the focus goes when the grid moves: a week step keeps the focused date while it
    /// is in the grid, else the focus keeps its cell; a month step takes the focus to the same
    /// day of the displayed month.
    enum class FocusRule { KeepDate, SameDayOfMonth };
    /// A new grid start by navigation, then the refresh.
    void moveGrid(std::int64_t gridStart, FocusRule rule);
    void moveFocusWithGrid(FocusRule rule);
    /// The index of `date` in the grid, or none.
    std::optional<int> indexOf(const CalendarDate& date) const;
    void close();

    const CAlarmFile& m_alarms;
    CalendarColours& m_mainColours;
    WindowPlacement& m_placement;
    const Clock& m_clock;

    CalendarMonth m_month;
    CalendarColours m_colours;
    int m_monthSelection = 0;
    std::string m_yearText{kYearBeforeRefresh};
    bool m_scrollTimerRunning = false;
    std::uint64_t m_refreshCount = 0;
    CalendarDate m_focus;
    std::optional<int> m_popupTarget;
};

} // namespace daylark
