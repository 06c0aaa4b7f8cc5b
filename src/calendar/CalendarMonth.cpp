#include "calendar/CalendarMonth.h"

#include "alarms/AlarmSchedule.h"
#include "alarms/CDaylarkAlarm.h"
#include "platform/CalendarColours.h"
#include "platform/LocalTime.h"

namespace daylark {

namespace {

bool recursEveryMonth(std::int16_t frequency)
{
    switch (static_cast<Frequency>(frequency)) {
    case Frequency::Daily:
    case Frequency::Weekly:
    case Frequency::Biweekly:
    case Frequency::Monthly:
        return true;
    default:
        return false;
    }
}

} // namespace

CalendarMonth::CalendarMonth(std::int64_t gridStart)
    : m_gridStart(gridStart)
{}

void CalendarMonth::rebuildAlarmEntries(const std::vector<std::unique_ptr<CDaylarkAlarm>>& alarms)
{
    const int shown = displayedMonth();
    const int next = shown % 12 + 1;
    const int previous = (shown + 10) % 12 + 1;
    clearAlarmEntries();
    for (const auto& alarm : alarms) {
        // The year is not compared: a once alarm of another year's same month is copied and
        // simply falls on no cell.
        const TimeFields date = breakDown(alarm->Time, /*greenwich=*/false);
        if (date.month == shown || date.month == next || date.month == previous ||
            recursEveryMonth(alarm->Frequency)) {
            m_entries.emplace_back(*alarm);
            m_entryDates.push_back(date);
        }
    }
}

void CalendarMonth::clearAlarmEntries()
{
    m_entries.clear();
    m_entryDates.clear();
}

CalendarCell CalendarMonth::cell(int index, const CalendarDate& today,
                                 const CalendarColours& colours) const
{
    CalendarCell cell;
    cell.date = monthgrid::cellDate(m_gridStart, index);
    cell.midnight = monthgrid::cellMidnight(m_gridStart, index);
    cell.cellClass = cellClass(cell.date, displayedMonth(), today);
    cell.textBackground = classColour(cell.cellClass, colours);
    cell.holiday = holidayOf(cell.date);
    cell.fill = cell.holiday != nullptr ? colours.holiday : cell.textBackground;
    cell.text = cell.holiday != nullptr ? cell.holiday : dayText(cell.date);
    const TimeFields day = breakDown(cell.midnight, /*greenwich=*/false);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const CAlarmEntry& entry = m_entries[i];
        if (entry.VisibleOnCalendar != 0 && OccursOnDate(m_entryDates[i], entry.Frequency, day)) {
            cell.alarmNames.push_back(entry.Name);
        }
    }
    return cell;
}

} // namespace daylark
