#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace daylark {

class CAlarmFile;
struct CDaylarkAlarm;
struct StoreHistory;
struct SyncSide;

/// Copies to each side the alarms it lacks. Alarms are the same when their name, time,
/// frequency and three flags are all equal; nothing is merged or removed. `thisFile` is this
/// side's alarm file object (loaded and emptied here; when another operation holds it, its list
/// is shared), `otherFile` the other side's file, created empty when missing. Two files with
/// the same modification time and size are taken as equal. A file is saved (replaced whole)
/// only when it gained alarms, this side's first.
///
/// Every alarm imported to this side that falls on today (the document's page date) joins
/// today's alarms and is announced once both files are let go: in an information box captioned
/// "Imported Alarm for Today", or as a notification when its message-box flag is clear.
///
/// With a recorded state (see StoreHistory) an alarm one side deleted since, and the other side
/// still holds, is deleted on both and leaves today's alarms; conflict copies bring the alarms
/// they added. Returns whether both files now hold the same alarms.
bool MergeAlarmFiles(const SyncSide& side, CAlarmFile& thisFile, const std::string& otherFile,
                     const StoreHistory& history);

/// The announcement line of an imported alarm when it falls on `today`: a Once alarm dated
/// today "9:05 AM: Name", the recurring kinds that fall on today "Daily: Name" (and Weekly,
/// Biweekly, Monthly, Yearly, Birthday), each with a line feed; none otherwise.
std::optional<std::string> ImportedAlarmLine(const CDaylarkAlarm& alarm, std::int64_t today);

} // namespace daylark
