#include "alarms/AlarmSchedule.h"

#include "alarms/CAlarmFile.h"
#include "alarms/CDaylarkAlarm.h"
#include "platform/Clock.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "platform/TimeText.h"

#include <algorithm>
#include <iterator>

namespace daylark {

namespace {

constexpr long kDaysInTwoWeeks = 14;

long dayNumberOf(const TimeFields& fields)
{
    return civilDayNumber(fields.year, fields.month, fields.day);
}

bool sameAlarm(const CAlarmEntry& a, const CAlarmEntry& b)
{
    return a.Time == b.Time && a.Frequency == b.Frequency && a.Name == b.Name;
}

bool holds(const std::vector<CAlarmEntry>& entries, const CAlarmEntry& entry)
{
    return std::any_of(entries.begin(), entries.end(),
                       [&entry](const CAlarmEntry& held) { return sameAlarm(held, entry); });
}

} // namespace

bool SameDay(std::int64_t a, std::int64_t b, bool* later)
{
    const long firstDay = dayNumberOf(breakDown(a, /*greenwich=*/false));
    const long secondDay = dayNumberOf(breakDown(b, /*greenwich=*/false));
    if (later != nullptr) {
        *later = secondDay > firstDay;
    }
    return firstDay == secondDay;
}

bool OccursOnDate(const TimeFields& alarm, std::int32_t frequency, const TimeFields& day)
{
    const long alarmDay = dayNumberOf(alarm);
    const long wantedDay = dayNumberOf(day);
    if (alarmDay == wantedDay) {
        return true;
    }
    switch (static_cast<Frequency>(frequency)) {
    case Frequency::Daily:
        return true;
    case Frequency::Weekly:
        return alarm.weekday == day.weekday;
    case Frequency::Biweekly:
        // Whole calendar days, so the hour of the alarm and summer time play no part.
        return (wantedDay - alarmDay) % kDaysInTwoWeeks == 0;
    case Frequency::Monthly:
        return alarm.day == day.day;
    case Frequency::Yearly:
    case Frequency::Birthday:
        return alarm.month == day.month && alarm.day == day.day;
    case Frequency::Once:
        break;
    }
    return false;
}

bool OccursOn(const CDaylarkAlarm& alarm, std::int64_t day)
{
    return OccursOnDate(breakDown(alarm.Time, /*greenwich=*/false), alarm.Frequency,
                        breakDown(day, /*greenwich=*/false));
}

bool OccursOn(const CAlarmEntry& entry, std::int64_t day)
{
    return OccursOnDate(breakDown(entry.Time, /*greenwich=*/false), entry.Frequency,
                        breakDown(day, /*greenwich=*/false));
}

AlarmSchedule::AlarmSchedule(CAlarmFile& alarms, const Clock& clock, const DisplayFlags& flags,
                             MessageSink& messages)
    : m_alarms(alarms)
    , m_clock(clock)
    , m_flags(flags)
    , m_messages(messages)
{}

AlarmSchedule::Collection AlarmSchedule::collect(std::int64_t day)
{
    Collection found;
    if (m_collectedDay == localDayNumber(day)) {
        std::copy_if(m_todays.begin(), m_todays.end(), std::back_inserter(found.announced),
                     [](const CAlarmEntry& entry) { return entry.Announced != 0; });
    }
    m_todays.clear();
    m_removed.clear();
    m_alarms.Load();
    m_alarms.setChanged(false);

    // Built apart and put in place by the caller at the end: a box shown on the way (a
    // failure) runs a nested loop whose tick may collect as well.
    for (const auto& alarm : m_alarms.records()) {
        std::string label;
        if (alarm->Frequency == static_cast<std::int16_t>(Frequency::Once)) {
            bool later = false;
            if (!SameDay(alarm->Time, day, &later)) {
                if (later) {
                    found.removed.emplace_back(*alarm);
                    found.past.push_back(alarm.get());
                }
                continue;
            }
            label = FormatAlarmTime(alarm->Time, m_flags);
        } else {
            const char* recurring = recurringLabel(alarm->Frequency);
            if (recurring == nullptr || !OccursOn(*alarm, day)) {
                continue;
            }
            label = recurring;
        }
        found.summary += label + alarm->Name + "\n";
        found.todays.emplace_back(*alarm);
    }
    return found;
}

void AlarmSchedule::CollectTodaysAlarms(std::int64_t day, bool show)
{
    Collection found = collect(day);
    removeFromFile(found.past);
    if (m_alarms.changed()) {
        m_alarms.Save();
    }
    m_alarms.Empty();
    takeCollection(day, found);
    if (!show) {
        return;
    }
    // A change of day that failed collects again at every retry: the box is not shown again
    // unless it has something new to say.
    const long dayNumber = localDayNumber(day);
    if (m_summaryDay == dayNumber && m_missed.empty()) {
        return;
    }
    const std::string summary = missedSummary() + found.summary;
    m_missed.clear();
    m_summaryDay = dayNumber;
    if (!summary.empty()) {
        m_messages.inform(summary, kSummaryCaption);
    }
}

void AlarmSchedule::PrepareNewDay(std::int64_t day)
{
    Collection found = collect(day);
    m_pastAlarms = std::move(found.past);
    takeCollection(day, found);
}

void AlarmSchedule::takeCollection(std::int64_t day, Collection& found)
{
    for (CAlarmEntry& entry : found.todays) {
        if (holds(found.announced, entry)) {
            entry.Announced = 1;
        }
    }
    m_todays = std::move(found.todays);
    m_collectedDay = localDayNumber(day);
    // An alarm that this run never announced came due while the program was not running: the
    // summary names it, or it would leave without the user ever hearing of it.
    for (const CAlarmEntry& entry : found.removed) {
        if (!holds(m_announcedOnce, entry) && !holds(m_missed, entry)) {
            m_missed.push_back(entry);
        }
    }
    m_removed.insert(m_removed.end(), found.removed.begin(), found.removed.end());
}

std::string AlarmSchedule::missedSummary() const
{
    std::string lines;
    for (const CAlarmEntry& entry : m_missed) {
        lines += "Missed, " + FormatDate(entry.Time, /*withTime=*/true, m_flags) + ": " +
                 entry.Name + "\n";
    }
    return lines;
}

void AlarmSchedule::FinishNewDay(Removal removal)
{
    if (removal == Removal::Save) {
        removeFromFile(m_pastAlarms);
        if (m_alarms.changed()) {
            m_alarms.Save();
        }
    }
    m_pastAlarms.clear();
    m_alarms.Empty();
}

void AlarmSchedule::removeFromFile(const std::vector<const CDaylarkAlarm*>& alarms)
{
    for (const CDaylarkAlarm* alarm : alarms) {
        m_alarms.remove(alarm);
        m_alarms.setChanged(true);
    }
}

bool AlarmSchedule::CheckDueAlarms()
{
    const std::int64_t now = m_clock.now();
    const TimeFields current = breakDown(now, /*greenwich=*/false);
    std::string boxText;
    std::string notifyText;
    for (CAlarmEntry& entry : m_todays) {
        if (entry.Announced != 0) {
            continue;
        }
        const TimeFields at = breakDown(entry.Time, /*greenwich=*/false);
        const bool due =
            at.hour < current.hour || (at.hour == current.hour && at.minute <= current.minute);
        if (!due) {
            continue;
        }
        entry.Announced = 1;
        if (entry.Frequency == static_cast<std::int32_t>(Frequency::Once) &&
            !holds(m_announcedOnce, entry)) {
            m_announcedOnce.push_back(entry);
        }
        std::string& text = entry.MessageBoxFlag != 0 ? boxText : notifyText;
        text += FormatAlarmTime(entry.Time, m_flags) + entry.Name + "\n";
    }
    if (boxText.empty() && notifyText.empty()) {
        return false;
    }
    const std::string caption = FormatAlarmTime(now, m_flags) + " Alarm(s)";
    if (!notifyText.empty()) {
        m_messages.notify(notifyText, caption);
    }
    if (boxText.empty()) {
        return false;
    }
    m_messages.inform(boxText, caption);
    return true;
}

void AlarmSchedule::AppendRemovedAlarms(std::string& pageText)
{
    for (const CAlarmEntry& entry : m_removed) {
        pageText += "\r\r\nAlarm, ";
        pageText += entry.Name;
        pageText += ", at, ";
        pageText += FormatDate(entry.Time, /*withTime=*/true, m_flags);
        pageText += ", removed";
    }
    m_removed.clear();
}

} // namespace daylark

const char* daylark::recurringLabel(std::int16_t frequency)
{
    switch (static_cast<Frequency>(frequency)) {
    case Frequency::Daily:
        return "Daily: ";
    case Frequency::Weekly:
        return "Weekly: ";
    case Frequency::Biweekly:
        return "Biweekly: ";
    case Frequency::Monthly:
        return "Monthly: ";
    case Frequency::Yearly:
        return "Yearly: ";
    case Frequency::Birthday:
        return "Birthday: ";
    case Frequency::Once:
        break;
    }
    return nullptr;
}
