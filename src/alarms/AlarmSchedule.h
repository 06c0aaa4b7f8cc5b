#pragma once

#include "alarms/CAlarmEntry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace daylark {

class CAlarmFile;
class Clock;
class MessageSink;
struct CDaylarkAlarm;
struct DisplayFlags;

/// Whether a and b fall on the same local calendar day. When `later` is given it is set to
/// whether b's date comes after a's (false when they are on the same day).
bool SameDay(std::int64_t a, std::int64_t b, bool* later = nullptr);

/// Whether the alarm falls on the local date of `day`: always on its own date; otherwise daily,
/// on its weekday, every 14 calendar days from its date (in either direction), on its day of the
/// month, or on its day of the year (Yearly and Birthday). A Once alarm, or one of a frequency
/// that is not known, falls on its own date only. A recurring alarm also falls on dates before
/// its own.
bool OccursOn(const CDaylarkAlarm& alarm, std::int64_t day);
bool OccursOn(const CAlarmEntry& entry, std::int64_t day);

/// Today's alarms: which alarms fall on the current day, their announcement once their time of
/// day has come, and the removal of one-time alarms whose day has passed. Owned by the
/// document; the alarm file, the clock and the display flags are borrowed.
///
/// Times are compared by their local fields; the display flags change only the texts.
class AlarmSchedule
{
public:
    static constexpr const char* kSummaryCaption = "Today's Alarms";

    AlarmSchedule(CAlarmFile& alarms, const Clock& clock, const DisplayFlags& flags,
                  MessageSink& messages);

    /// Rebuilds today's alarms for `day` from the alarm file, in file order. Once alarms dated
    /// before `day` leave the file and wait in the removed list for AppendRemovedAlarms. With
    /// `show` set, anything collected is summed up in the "Today's Alarms" box (after the alarm
    /// file has been saved and let go).
    void CollectTodaysAlarms(std::int64_t day, bool show);

    /// Announces every entry of today's alarms whose local time of day has come and that is not
    /// announced yet, marking it first (so a tick inside the box finds nothing new): entries
    /// with their message-box flag in one box, the others in one notification. Returns whether
    /// a box was shown (the main window then comes to the front).
    bool CheckDueAlarms();

    /// Appends one line per removed alarm to `pageText` (CR CR LF, "Alarm, NAME, at, DATE,
    /// removed") and empties the removed list.
    void AppendRemovedAlarms(std::string& pageText);

    /// Today's alarms; the alarm dialog adds and edits entries.
    std::vector<CAlarmEntry>& todaysAlarms() { return m_todays; }
    const std::vector<CAlarmEntry>& todaysAlarms() const { return m_todays; }
    /// The Once alarms the last collection took out of the file, not yet written to a page.
    const std::vector<CAlarmEntry>& removedAlarms() const { return m_removed; }

private:
    CAlarmFile& m_alarms;
    const Clock& m_clock;
    const DisplayFlags& m_flags;
    MessageSink& m_messages;
    std::vector<CAlarmEntry> m_todays;
    std::vector<CAlarmEntry> m_removed;
};

} // namespace daylark
