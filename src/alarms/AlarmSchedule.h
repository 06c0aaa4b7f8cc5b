#pragma once

#include "alarms/CAlarmEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace daylark {

class CAlarmFile;
class Clock;
class MessageSink;
struct CDaylarkAlarm;
struct DisplayFlags;
struct TimeFields;

/// Whether a and b fall on the same local calendar day. When `later` is given it is set to
/// whether b's date comes after a's (false when they are on the same day).
bool SameDay(std::int64_t a, std::int64_t b, bool* later = nullptr);

/// Whether the alarm falls on the local date of `day`: always on its own date; otherwise daily,
/// on its weekday, every 14 calendar days from its date (in either direction), on its day of the
/// month, or on its day of the year (Yearly and Birthday). A Once alarm, or one of a frequency
/// that is not known, falls on its own date only. A recurring alarm also falls on dates before
/// its own.
bool OccursOn(const CDaylarkAlarm& alarm, std::int64_t day);
/// The label that leads a recurring alarm's line in the day's summary ("Daily: ", "Weekly: ",
/// ...); null for a Once alarm or an unknown frequency.
const char* recurringLabel(std::int16_t frequency);
bool OccursOn(const CAlarmEntry& entry, std::int64_t day);
/// OccursOn over dates broken down already (local fields of the alarm's time and of the day):
/// for callers that test many alarms against many days, such as the calendar.
bool OccursOnDate(const TimeFields& alarm, std::int32_t frequency, const TimeFields& day);

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
    /// file has been saved and let go), led by the missed alarms; the box shows once a day, or
    /// again when new missed alarms came since.
    ///
    /// Collected again for the same day (a change of day that failed is retried), the entries
    /// announced already stay announced.
    void CollectTodaysAlarms(std::int64_t day, bool show);

    /// What a change of day does with the alarm file that PrepareNewDay left loaded.
    enum class Removal { Save, Drop };

    /// The collection of a change of day that files a page: as CollectTodaysAlarms(day, false),
    /// except that the alarm file stays loaded and the past Once alarms stay in it for now (their
    /// entries wait in the removed list). FinishNewDay ends it, so the alarms leave the file
    /// only once the page that reports them has been filed.
    void PrepareNewDay(std::int64_t day);
    /// Ends PrepareNewDay: with Save, takes the past Once alarms out of the alarm file and saves
    /// it; then lets the file go. Dropped, the alarm file is left as it was.
    void FinishNewDay(Removal removal);

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
    /// The Once alarms taken out of the file that this run never announced (their time came
    /// while the program was not running), waiting for the next summary.
    const std::vector<CAlarmEntry>& missedAlarms() const { return m_missed; }

private:
    /// What one collection found.
    struct Collection
    {
        std::vector<CAlarmEntry> todays;
        std::vector<CAlarmEntry> removed;
        std::vector<const CDaylarkAlarm*> past; ///< the records of `removed`, still in the list
        /// Today's entries announced already, when the day was collected before.
        std::vector<CAlarmEntry> announced;
        std::string summary;
    };
    /// Loads the alarm file and collects for `day`.
    Collection collect(std::int64_t day);
    void removeFromFile(const std::vector<const CDaylarkAlarm*>& alarms);
    /// Takes what a collection found as today's alarms and the removed ones: entries announced
    /// already today stay announced, and removed alarms never announced become missed ones.
    void takeCollection(std::int64_t day, Collection& found);
    /// The missed alarms' lines of the summary ("Missed, DATE: NAME").
    std::string missedSummary() const;

    CAlarmFile& m_alarms;
    const Clock& m_clock;
    const DisplayFlags& m_flags;
    MessageSink& m_messages;
    std::vector<CAlarmEntry> m_todays;
    std::vector<CAlarmEntry> m_removed;
    /// The past Once alarms of PrepareNewDay, waiting for FinishNewDay.
    std::vector<const CDaylarkAlarm*> m_pastAlarms;
    std::vector<CAlarmEntry> m_missed;
    /// The Once alarms this run announced, until a collection removes them.
    std::vector<CAlarmEntry> m_announcedOnce;
    /// The local day numbers of the last collection and of the last summary shown.
    std::optional<long> m_collectedDay;
    std::optional<long> m_summaryDay;
};

} // namespace daylark
