#include "sync/MergeAlarmFiles.h"

#include "alarms/AlarmSchedule.h"
#include "alarms/CAlarmFile.h"
#include "diary/CDaylarkDoc.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"
#include "platform/TimeText.h"
#include "sync/FilePairRule.h"
#include "sync/FileSet.h"
#include "sync/MergeRecordFiles.h"
#include "sync/SyncHistory.h"
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

/// Takes out of `from` every alarm that `other` lacks and the recorded state holds: the other
/// side deleted it since. Returns the alarms taken out.
std::vector<CDaylarkAlarm> dropDeletedByOther(CAlarmFile& from, const CAlarmFile& other,
                                              const CAlarmFile& base)
{
    std::vector<const CDaylarkAlarm*> deleted;
    for (const auto& alarm : from.records()) {
        if (!holds(other, *alarm) && holds(base, *alarm)) {
            deleted.push_back(alarm.get());
        }
    }
    std::vector<CDaylarkAlarm> taken;
    for (const CDaylarkAlarm* alarm : deleted) {
        taken.push_back(*alarm);
        from.remove(alarm);
        from.setChanged(true);
    }
    return taken;
}

/// Takes the alarms of `taken` out of `file` too (the same alarm as its list holds it).
void dropSame(CAlarmFile& file, const std::vector<CDaylarkAlarm>& taken)
{
    for (const CDaylarkAlarm& gone : taken) {
        const auto& records = file.records();
        const auto found = std::find_if(records.begin(), records.end(), [&gone](const auto& held) {
            return sameAlarm(*held, gone);
        });
        if (found != records.end()) {
            file.remove(found->get());
            file.setChanged(true);
        }
    }
}

/// Whether today's entry stands for `alarm`.
bool entryOf(const CAlarmEntry& entry, const CDaylarkAlarm& alarm)
{
    return entry.Name == alarm.Name && entry.Time == alarm.Time &&
           entry.Frequency == alarm.Frequency && entry.MessageBoxFlag == alarm.MessageBoxFlag &&
           entry.Announced == alarm.Announced && entry.VisibleOnCalendar == alarm.VisibleOnCalendar;
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

bool daylark::MergeAlarmFiles(const SyncSide& side, CAlarmFile& thisFile,
                              const std::string& otherFile, const StoreHistory& history)
{
    MessageSink& messages = side.doc.messages();
    if (history.copies.empty() && filesAgree(thisFile.path(), otherFile)) {
        return true;
    }
    // A missing file is filled from the other, never taken as every alarm deleted.
    const bool oneMissing = dataFileMissing(thisFile.path()) || dataFileMissing(otherFile);
    const auto recorded = history.recorded.empty() || oneMissing
                              ? nullptr
                              : loadRecorded<CAlarmFile>(history.recorded, messages);
    // An unreadable record was reported; the union that follows may still end well.
    const std::size_t failuresBefore = messages.failuresShown();
    struct Imported
    {
        CAlarmEntry entry;
        std::string line;
    };
    std::vector<Imported> imported;
    std::vector<CDaylarkAlarm> deletedHere;
    bool whole = true;
    {
        // While another operation holds this side's list, what goes to the other side is read
        // from the file: the holder's unsaved edits are not the other side's to have.
        const bool held = thisFile.holders() > 0;
        CAlarmFile onFile(thisFile.path(), messages);
        CAlarmFile other(otherFile, messages);
        whole = thisFile.Load() == 0;
        const HeldAlarms holdingOurs{thisFile};
        if (held) {
            whole = onFile.Load() == 0 && whole;
        }
        const HeldAlarms holdingOnFile{onFile};
        whole = other.Load() == 0 && whole;
        const HeldAlarms holdingTheirs{other};
        thisFile.setChanged(false);
        other.setChanged(false);
        CAlarmFile& ours = held ? onFile : thisFile;
        for (const std::string& path : history.copies) {
            CAlarmFile copy(path, messages);
            copy.setUse(FileUse::ReadOnly);
            copy.Load();
            const HeldAlarms holdingCopy{copy};
            for (const auto& alarm : copy.records()) {
                if ((recorded == nullptr || !holds(recorded->file, *alarm)) &&
                    !holds(other, *alarm) && other.add(copyOf(*alarm)) != nullptr) {
                    other.setChanged(true);
                }
            }
        }
        // A side that did not read whole lacks alarms it has: none is taken as deleted then.
        if (recorded != nullptr && whole) {
            deletedHere = dropDeletedByOther(ours, other, recorded->file);
            if (held) {
                dropSame(thisFile, deletedHere);
            }
            dropDeletedByOther(other, ours, recorded->file);
        }
        copyMissing(ours, other);
        for (const CDaylarkAlarm* copy : copyMissing(other, thisFile)) {
            if (auto line = ImportedAlarmLine(*copy, side.doc.pageDate())) {
                imported.push_back({CAlarmEntry(*copy), std::move(*line)});
            }
        }
        if (thisFile.changed()) {
            side.aboutToWrite(thisFile.path());
            whole = thisFile.Save() == 0 && whole;
        }
        if (other.changed()) {
            side.aboutToWrite(other.path());
            whole = other.Save() == 0 && whole;
        }
    }
    // Announced once the lists are let go: a box runs a nested loop whose tick may load them.
    AlarmSchedule* schedule = side.doc.alarmSchedule();
    if (schedule != nullptr) {
        // A deleted alarm does not ring today either.
        auto& today = schedule->todaysAlarms();
        for (const CDaylarkAlarm& gone : deletedHere) {
            std::erase_if(today,
                          [&gone](const CAlarmEntry& entry) { return entryOf(entry, gone); });
        }
    }
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
    return whole && messages.failuresShown() == failuresBefore;
}
