#include "calendar/CCalendarDlg.h"

#include "alarms/CAlarmFile.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"

#include <algorithm>

namespace daylark {

namespace {

CalendarDate dateOf(std::int64_t t)
{
    const TimeFields fields = breakDown(t, /*greenwich=*/false);
    return {fields.year, fields.month, fields.day};
}

long dayNumberOf(const CalendarDate& date)
{
    return civilDayNumber(date.year, date.month, date.day);
}

CalendarDate shiftedDate(const CalendarDate& date, int days)
{
    return dateOf(addLocalDays(makeLocalTime(date.year, date.month, date.day), days));
}

std::int64_t currentMonthGrid(const Clock& clock)
{
    const CalendarDate now = dateOf(clock.now());
    return monthgrid::gridStartFor(now.year, now.month);
}

} // namespace

CCalendarDlg::CCalendarDlg(const CAlarmFile& alarms, CalendarColours& colours,
                           WindowPlacement& placement, const Clock& clock)
    : m_alarms(alarms)
    , m_mainColours(colours)
    , m_placement(placement)
    , m_clock(clock)
    , m_month(currentMonthGrid(clock))
    , m_colours(colours)
    , m_focus(today())
{}

void CCalendarDlg::Open()
{
    m_focus = today();
    moveFocusWithGrid(FocusRule::KeepDate);
    Refresh();
}

void CCalendarDlg::Refresh()
{
    m_monthSelection = m_month.displayedMonth() - 1;
    m_month.rebuildAlarmEntries(m_alarms.records());
    m_yearText = std::to_string(m_month.displayedYear());
    ++m_refreshCount;
}

void CCalendarDlg::MonthBack()
{
    moveGrid(monthgrid::monthBack(m_month.gridStart()), FocusRule::SameDayOfMonth);
}

void CCalendarDlg::WeekBack()
{
    moveGrid(monthgrid::weekBack(m_month.gridStart()), FocusRule::KeepDate);
}

void CCalendarDlg::WeekForward()
{
    moveGrid(monthgrid::weekForward(m_month.gridStart()), FocusRule::KeepDate);
}

void CCalendarDlg::MonthForward()
{
    moveGrid(monthgrid::monthForward(m_month.gridStart()), FocusRule::SameDayOfMonth);
}

void CCalendarDlg::ChooseMonth(int position)
{
    if (position < 0 || position > 11) {
        return;
    }
    moveGrid(monthgrid::chooseMonth(m_month.gridStart(), position), FocusRule::SameDayOfMonth);
}

void CCalendarDlg::Home()
{
    const CalendarDate now = today();
    m_focus = now;
    moveGrid(monthgrid::gridStartFor(now.year, now.month), FocusRule::KeepDate);
}

void CCalendarDlg::Scroll(monthgrid::ScrollBar bar, monthgrid::ScrollCode code)
{
    m_month.setGridStart(monthgrid::scroll(m_month.gridStart(), bar, code));
    moveFocusWithGrid(FocusRule::SameDayOfMonth);
    m_monthSelection = m_month.displayedMonth() - 1;
    m_yearText = std::to_string(m_month.displayedYear());
    m_scrollTimerRunning = true;
}

void CCalendarDlg::ScrollTimerFired()
{
    if (!m_scrollTimerRunning) {
        return;
    }
    m_scrollTimerRunning = false;
    Refresh();
}

void CCalendarDlg::MoveFocus(int columns, int rows)
{
    const CalendarDate target =
        shiftedDate(m_focus, std::clamp(columns, -1, 1) + 7 * std::clamp(rows, -1, 1));
    if (!indexOf(target)) {
        if (dayNumberOf(target) < dayNumberOf(monthgrid::cellDate(m_month.gridStart(), 0))) {
            WeekBack();
        } else {
            WeekForward();
        }
    }
    m_focus = target;
}

void CCalendarDlg::ChooseCell(int index)
{
    if (index < 0 || index >= monthgrid::kCells) {
        return;
    }
    m_popupTarget = index;
    m_focus = monthgrid::cellDate(m_month.gridStart(), index);
}

std::int64_t CCalendarDlg::chosenDay() const
{
    return monthgrid::cellMidnight(m_month.gridStart(), m_popupTarget.value_or(focusIndex()));
}

void CCalendarDlg::SettingsClosed()
{
    m_mainColours = m_colours;
}

void CCalendarDlg::Ok(const WindowPlacement& shown)
{
    close();
    m_placement = shown;
}

void CCalendarDlg::Cancel()
{
    close();
}

CalendarCell CCalendarDlg::cell(int index) const
{
    return m_month.cell(index, today(), m_colours);
}

int CCalendarDlg::focusIndex() const
{
    return indexOf(m_focus).value_or(0);
}

CalendarDate CCalendarDlg::today() const
{
    return dateOf(m_clock.now());
}

void CCalendarDlg::moveGrid(std::int64_t gridStart, FocusRule rule)
{
    m_month.setGridStart(gridStart);
    moveFocusWithGrid(rule);
    Refresh();
}

void CCalendarDlg::moveFocusWithGrid(FocusRule rule)
{
    if (rule == FocusRule::KeepDate) {
        // A week step moves the grid by seven days: a focus that fell off an edge moves with
        // it, and stays in its row.
        const long offset =
            dayNumberOf(m_focus) - dayNumberOf(monthgrid::cellDate(m_month.gridStart(), 0));
        if (offset >= 0 && offset < monthgrid::kCells) {
            return;
        }
        if (offset >= -7 && offset < monthgrid::kCells + 7) {
            m_focus = shiftedDate(m_focus, offset < 0 ? 7 : -7);
            return;
        }
    }
    const int year = m_month.displayedYear();
    const int month = m_month.displayedMonth();
    m_focus = {year, month, std::min(m_focus.day, daysInMonth(year, month))};
}

std::optional<int> CCalendarDlg::indexOf(const CalendarDate& date) const
{
    const long offset =
        dayNumberOf(date) - dayNumberOf(monthgrid::cellDate(m_month.gridStart(), 0));
    if (offset < 0 || offset >= monthgrid::kCells) {
        return std::nullopt;
    }
    return static_cast<int>(offset);
}

void CCalendarDlg::close()
{
    m_popupTarget.reset();
    m_month.clearAlarmEntries();
    m_scrollTimerRunning = false;
}

} // namespace daylark
