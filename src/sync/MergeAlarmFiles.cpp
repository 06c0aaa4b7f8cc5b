#include "sync/MergeAlarmFiles.h"

#include "alarms/AlarmSchedule.h"
#include "alarms/CAlarmFile.h"
#include "diary/CDaylarkDoc.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"
#include "platform/TimeText.h"
#include "sync/FileSet.h"
#include "sync/SyncSide.h"

#include <algorithm>
#include <vector>

namespace daylark {

namespace {

constexpr const char* kImportedCaption = "Imported Alarm for Today";

bool sameAlarm(const CDaylarkAlarm& a, const CDaylarkAlarm& b)
{
    return a.Name == b.Name && a.Time == b.Time && a.Frequency == b.Frequency &&
           a.MessageBoxFlag == b.MessageBoxFlag && a.Announced == b.Announced &&
           a.VisibleOnCalendar == b.VisibleOnCalendar;
}

bool holds(const CAlarmFile& file, const CDaylarkAlarm& alarm)
{
    return std::any_of(file.records().begin(), file.records().end(),
                       [&alarm](const auto& held) { return sameAlarm(*held, alarm); });
}

/// A new alarm with every field of `alarm` but its record version.
std::unique_ptr<CDaylarkAlarm> copyOf(const CDaylarkAlarm& alarm)
{
    auto copy = std::make_unique<CDaylarkAlarm>(alarm);
    copy->RecordVersion = CDaylarkAlarm::kWrittenVersion;
    return copy;
}

/// Appends to `to` a copy of every alarm of `from` that it lacks; returns the copies.
std::vector<const CDaylarkAlarm*> copyMissing(const CAlarmFile& from, CAlarmFile& to)
{
    std::vector<const CDaylarkAlarm*> copies;
    for (std::size_t i = 0; i < from.records().size(); ++i) {
        const CDaylarkAlarm& alarm = *from.records()[i];
        if (holds(to, alarm)) {
            continue;
        }
        if (const CDaylarkAlarm* added = to.add(copyOf(alarm))) {
            copies.push_back(added);
            to.setChanged(true);
        }
    }
    return copies;
}

/// Empties an alarm file's list when the merge is over, also when it stops half way.
struct HeldAlarms
{
    CAlarmFile& file;
    ~HeldAlarms() { file.Empty(); }
};

} // namespace

} // namespace daylark

std::optional<std::string> daylark::ImportedAlarmLine(const CDaylarkAlarm& alarm,
                                                      std::int64_t today)
{
    if (alarm.Frequency == static_cast<std::int16_t>(Frequency::Once)) {
        if (!SameDay(alarm.Time, today)) {
            return std::nullopt;
        }
        return formatTime("%#I:%M %p: ", alarm.Time, /*greenwich=*/false) + alarm.Name + "\n";
    }
    const char* label = recurringLabel(alarm.Frequency);
    if (label == nullptr || !OccursOn(alarm, today)) {
        return std::nullopt;
    }
    return label + alarm.Name + "\n";
}

void daylark::MergeAlarmFiles(const SyncSide& side, CAlarmFile& thisFile,
                              const std::string& otherFile)
{
    if (filesAgree(thisFile.path(), otherFile)) {
        return;
    }
    MessageSink& messages = side.doc.messages();
    struct Imported
    {
        CAlarmEntry entry;
        std::string line;
    };
    std::vector<Imported> imported;
    {
        // While another operation holds this side's list, what goes to the other side is read
        // from the file: the holder's unsaved edits are not the other side's to have.
        const bool held = thisFile.holders() > 0;
        CAlarmFile onFile(thisFile.path(), messages);
        CAlarmFile other(otherFile, messages);
        thisFile.Load();
        const HeldAlarms holdingOurs{thisFile};
        if (held) {
            onFile.Load();
        }
        const HeldAlarms holdingOnFile{onFile};
        other.Load();
        const HeldAlarms holdingTheirs{other};
        thisFile.setChanged(false);
        other.setChanged(false);
        copyMissing(held ? onFile : thisFile, other);
        for (const CDaylarkAlarm* copy : copyMissing(other, thisFile)) {
            if (auto line = ImportedAlarmLine(*copy, side.doc.pageDate())) {
                imported.push_back({CAlarmEntry(*copy), std::move(*line)});
            }
        }
        if (thisFile.changed()) {
            side.aboutToWrite(thisFile.path());
            thisFile.Save();
        }
        if (other.changed()) {
            side.aboutToWrite(other.path());
            other.Save();
        }
    }
    // Announced once the lists are let go: a box runs a nested loop whose tick may load them.
    AlarmSchedule* schedule = side.doc.alarmSchedule();
    for (const Imported& alarm : imported) {
        if (schedule != nullptr) {
            schedule->todaysAlarms().push_back(alarm.entry);
        }
        if (alarm.entry.MessageBoxFlag != 0) {
            messages.inform(alarm.line, kImportedCaption);
        } else {
            messages.notify(alarm.line, kImportedCaption);
        }
    }
}
