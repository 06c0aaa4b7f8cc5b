#include "alarms/CAlarmDlg.h"

#include "alarms/AlarmSchedule.h"
#include "alarms/CAlarmFile.h"
#include "alarms/CDaylarkAlarm.h"
#include "platform/Clock.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "platform/TimeText.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace daylark {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

/// A field of digits only, at most `largest`; none for anything else.
std::optional<int> fieldValue(const std::string& text, int largest)
{
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int value = std::stoi(text);
    return value <= largest ? std::optional<int>(value) : std::nullopt;
}

/// Seconds between 1970-01-01 00:00 UTC and the fields read as Greenwich time.
std::int64_t asGreenwich(long dayNumber, int hour, int minute, int second = 0)
{
    return dayNumber * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

long dayNumberOf(const TimeFields& fields)
{
    return civilDayNumber(fields.year, fields.month, fields.day);
}

/// Whole hours the local clock is ahead of Greenwich at `t` (negative west of Greenwich).
int zoneOffsetHours(std::int64_t t)
{
    const TimeFields local = breakDown(t, /*greenwich=*/false);
    return static_cast<int>(
        (asGreenwich(dayNumberOf(local), local.hour, local.minute, local.second) - t) / 3600);
}

std::string zoneMessage(int offset, const char* side, const char* step)
{
    char text[400];
    std::snprintf(text, sizeof text,
                  "Your local time zone offset from Greenwich Mean Time is %d hours.\nThis "
                  "results in an alarm for the day %s this one.\nPlease go to the %s day to "
                  "enter this alarm.\n Press F1 for another just as confusing an explanation, "
                  "Thanks!",
                  offset, side, step);
    return text;
}

std::size_t buttonOfFrequency(std::int32_t frequency)
{
    const auto& codes = CAlarmDlg::kFrequencyCodes;
    const auto found = std::find(codes.begin(), codes.end(), frequency);
    return found == codes.end() ? 0 : static_cast<std::size_t>(found - codes.begin());
}

bool sameEntry(const CAlarmEntry& entry, const CDaylarkAlarm& alarm)
{
    return entry.Name == alarm.Name && entry.Time == alarm.Time &&
           entry.Frequency == alarm.Frequency;
}

} // namespace

CAlarmDlg::CAlarmDlg(CAlarmFile& alarms, AlarmSchedule& today, const Clock& clock,
                     const DisplayFlags& flags, MessageSink& messages)
    : m_alarms(alarms)
    , m_today(today)
    , m_clock(clock)
    , m_flags(flags)
    , m_messages(messages)
{}

void CAlarmDlg::Open(std::int64_t day)
{
    m_day = localMidnight(day);
    m_title = FormatDate(m_day, /*withTime=*/false, m_flags);
    m_lines.clear();
    m_lineAlarms.clear();
    for (const auto& alarm : m_alarms.records()) {
        if (OccursOn(*alarm, m_day)) {
            m_lines.push_back(lineText(*alarm));
            m_lineAlarms.push_back(alarm.get());
        }
    }
    m_selection.reset();
    m_name = kDefaultName;
    m_frequencyButton = 0;
    m_messageBox = true;
    m_visibleOnCalendar = true;
    showTime(m_clock.now());
    m_defaultButton = DefaultButton::Add;
    ++m_revision;
}

void CAlarmDlg::setFrequencyButton(std::size_t button)
{
    if (button < kFrequencyCodes.size()) {
        m_frequencyButton = button;
    }
}

bool CAlarmDlg::showsAmPm() const
{
    return !m_flags.use24HourClock;
}

void CAlarmDlg::Select(std::optional<std::size_t> line)
{
    if (!line || *line >= m_lines.size()) {
        m_selection.reset();
        m_defaultButton = DefaultButton::Add;
        return;
    }
    m_selection = line;
    m_defaultButton = DefaultButton::Apply;
    fillFields(*m_lineAlarms[*line]);
    ++m_revision;
}

bool CAlarmDlg::Add()
{
    if (m_name.empty()) {
        return false;
    }
    const std::optional<std::int64_t> time = typedTime();
    if (!time) {
        return false;
    }
    auto made = std::make_unique<CDaylarkAlarm>();
    made->Name = m_name;
    made->Time = *time;
    made->Frequency = kFrequencyCodes[m_frequencyButton];
    made->MessageBoxFlag = m_messageBox ? 1 : 0;
    made->VisibleOnCalendar = m_visibleOnCalendar ? 1 : 0;
    made->Announced = 0;
    const CDaylarkAlarm* alarm = m_alarms.add(std::move(made));
    if (alarm == nullptr) {
        return false; // the list is full; the file said so
    }
    m_alarms.setChanged(true);
    if (isToday()) {
        m_today.todaysAlarms().emplace_back(*alarm);
    }
    m_lines.push_back(lineText(*alarm));
    m_lineAlarms.push_back(alarm);
    return true;
}

void CAlarmDlg::Delete()
{
    if (!m_selection) {
        return;
    }
    const std::size_t line = *m_selection;
    const CDaylarkAlarm* alarm = m_lineAlarms[line];
    if (alarm->Frequency != kFrequencyCodes[0]) {
        const std::string question = "Delete " + alarm->Name + " on every day it recurs?";
        if (m_messages.ask(question, std::string(kCaption), MessageIcon::Exclamation,
                           MessageButtons::YesNo) != MessageAnswer::Yes) {
            return;
        }
    }
    // Not announced later today either.
    auto& todays = m_today.todaysAlarms();
    const auto entry = std::find_if(todays.begin(), todays.end(),
                                    [alarm](const CAlarmEntry& e) { return sameEntry(e, *alarm); });
    if (entry != todays.end()) {
        todays.erase(entry);
    }
    m_alarms.remove(alarm);
    m_alarms.setChanged(true);
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line));
    m_lineAlarms.erase(m_lineAlarms.begin() + static_cast<std::ptrdiff_t>(line));
    Select(std::nullopt);
}

void CAlarmDlg::Apply()
{
    if (!m_selection) {
        m_messages.inform(std::string(kApplyWithoutSelection), std::string(kCaption));
        return;
    }
    if (m_name.empty()) {
        return; // an alarm keeps a name
    }
    const std::optional<std::int64_t> time = typedTime();
    if (!time) {
        return;
    }
    // The list holds the records; the dialog keeps pointers to them while it is open.
    auto* alarm = const_cast<CDaylarkAlarm*>(m_lineAlarms[*m_selection]);
    auto& todays = m_today.todaysAlarms();
    const auto entry = std::find_if(todays.begin(), todays.end(),
                                    [alarm](const CAlarmEntry& e) { return sameEntry(e, *alarm); });
    alarm->Name = m_name;
    alarm->Frequency = kFrequencyCodes[m_frequencyButton];
    alarm->Time = *time;
    alarm->MessageBoxFlag = m_messageBox ? 1 : 0;
    alarm->VisibleOnCalendar = m_visibleOnCalendar ? 1 : 0;
    m_alarms.setChanged(true);
    if (entry != todays.end()) {
        *entry = CAlarmEntry(*alarm);
        entry->Announced = 0; // announced again when its time has come
    }
    m_lines[*m_selection] = lineText(*alarm);
}

std::optional<std::int64_t> CAlarmDlg::typedTime()
{
    const int largestHour = m_flags.use24HourClock ? 23 : 12;
    const std::optional<int> typedHour = fieldValue(m_hour, largestHour);
    const std::optional<int> minute = fieldValue(m_minute, 59);
    const auto refuse = [this](const std::string& text) {
        m_messages.ask(text, std::string(kCaption), MessageIcon::Exclamation, MessageButtons::Ok);
        return std::nullopt;
    };
    if (!typedHour) {
        return refuse("The hour must be a number from 0 to " + std::to_string(largestHour) + ".");
    }
    if (!minute) {
        return refuse("The minute must be a number from 0 to 59.");
    }
    int hour = *typedHour;
    if (showsAmPm()) {
        hour %= 12; // 12 AM is midnight, 12 PM noon
        if (m_pm) {
            hour += 12;
        }
    }
    const TimeFields day = breakDown(m_day, /*greenwich=*/false);
    std::int64_t time = 0;
    if (!m_flags.useGmt) {
        time = makeLocalTime(day.year, day.month, day.day, hour, *minute);
    } else {
        // The one instant of the day whose Greenwich time is the typed one: on a day of 23 or
        // 25 hours there may be none (or two: the first counts).
        const long dayNumber = dayNumberOf(day);
        std::optional<std::int64_t> found;
        for (int shift = -1; shift <= 1 && !found; ++shift) {
            const std::int64_t candidate = asGreenwich(dayNumber + shift, hour, *minute);
            if (dayNumberOf(breakDown(candidate, /*greenwich=*/false)) == dayNumber) {
                found = candidate;
            }
        }
        if (!found) {
            const std::int64_t onTheDay = asGreenwich(dayNumber, hour, *minute);
            const bool before = dayNumberOf(breakDown(onTheDay, /*greenwich=*/false)) < dayNumber;
            return refuse(zoneMessage(zoneOffsetHours(onTheDay), before ? "before" : "after",
                                      before ? "previous" : "next"));
        }
        time = *found;
    }
    if (!fitsStoredTime(time)) {
        return refuse("Daylark cannot keep an alarm on this day: its files hold no later time "
                      "than 19 January 2038.");
    }
    return time;
}

void CAlarmDlg::showTime(std::int64_t time)
{
    const TimeFields fields = breakDown(time, m_flags.useGmt);
    int hour = fields.hour;
    m_pm = hour >= 12;
    if (showsAmPm()) {
        hour %= 12;
        if (hour == 0) {
            hour = 12;
        }
    }
    m_hour = std::to_string(hour);
    m_minute = std::to_string(fields.minute);
}

std::string CAlarmDlg::lineText(const CDaylarkAlarm& alarm) const
{
    // The time it rings on the day, as the clock shows times.
    const TimeFields at = breakDown(alarm.Time, /*greenwich=*/false);
    const TimeFields day = breakDown(m_day, /*greenwich=*/false);
    const std::int64_t onTheDay = makeLocalTime(day.year, day.month, day.day, at.hour, at.minute);
    return ClockText(onTheDay, m_flags) + "  " + alarm.Name;
}

void CAlarmDlg::fillFields(const CDaylarkAlarm& alarm)
{
    m_name = alarm.Name;
    m_frequencyButton = buttonOfFrequency(alarm.Frequency);
    const TimeFields at = breakDown(alarm.Time, /*greenwich=*/false);
    const TimeFields day = breakDown(m_day, /*greenwich=*/false);
    showTime(makeLocalTime(day.year, day.month, day.day, at.hour, at.minute));
    m_messageBox = alarm.MessageBoxFlag != 0;
    m_visibleOnCalendar = alarm.VisibleOnCalendar != 0;
}

bool CAlarmDlg::isToday() const
{
    return sameLocalDay(m_day, m_clock.now());
}

} // namespace daylark
