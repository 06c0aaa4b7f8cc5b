#pragma once

#include "alarms/CAlarmEntry.h"
#include "calendar/CalendarDay.h"
#include "calendar/MonthGrid.h"
#include "platform/LocalTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace daylark {

struct CDaylarkAlarm;
struct CalendarColours;

/// Everything one day cell shows.
struct CalendarCell
{
    CalendarDate date;
    std::int64_t midnight = 0; ///< local midnight of the date, handed on when the day is chosen
    CellClass cellClass = CellClass::Other;
    std::uint32_t fill = 0;           ///< the holiday colour on a holiday, else the class colour
    std::uint32_t textBackground = 0; ///< always the class colour
    std::string text;                 ///< the holiday name in place of the day text
    const char* holiday = nullptr;
    std::vector<std::string> alarmNames; ///< in the order of the alarm entries
};

/// The month the calendar shows: the grid start and the calendar's copies of the alarms that
/// may fall in its grid. The calendar dialog and `daylark-cli calendar` both read the cells
/// from here, so the window and the terminal show the same month.
class CalendarMonth
{
public:
    explicit CalendarMonth(std::int64_t gridStart);

    std::int64_t gridStart() const { return m_gridStart; }
    /// A navigation step's result (see monthgrid); the alarm entries are rebuilt separately.
    void setGridStart(std::int64_t gridStart) { m_gridStart = gridStart; }
    int displayedMonth() const { return monthgrid::displayedMonth(m_gridStart); }
    int displayedYear() const { return monthgrid::displayedYear(m_gridStart); }

    /// Replaces the entries with copies of the alarms, in list order, that are dated in the
    /// displayed month or the months either side (any year), or that recur daily, weekly,
    /// biweekly or monthly. Once, yearly and birthday alarms of other months are left out.
    void rebuildAlarmEntries(const std::vector<std::unique_ptr<CDaylarkAlarm>>& alarms);
    const std::vector<CAlarmEntry>& alarmEntries() const { return m_entries; }
    void clearAlarmEntries();

    /// The contents of cell `index` (0 to monthgrid::kCells - 1). Alarms show where they fall
    /// and only when visible on the calendar.
    CalendarCell cell(int index, const CalendarDate& today, const CalendarColours& colours) const;

private:
    std::int64_t m_gridStart;
    std::vector<CAlarmEntry> m_entries;
    /// The local date of each entry's time, broken down once per rebuild: a cell tests every
    /// entry, and a month has 42 cells.
    std::vector<TimeFields> m_entryDates;
};

} // namespace daylark
