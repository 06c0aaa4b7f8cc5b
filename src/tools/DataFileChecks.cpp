#include "tools/DataFileChecks.h"

#include "alarms/CAlarmFile.h"
#include "alarms/CDaylarkAlarm.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CPageArchive.h"
#include "format/CRecordArchive.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "records/CDaylarkFuture.h"
#include "records/CDaylarkTodo.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"

#include <new>

namespace daylark {

namespace {

struct StoreType
{
    const ClassInfo& recordClass;
    const FailureContext& reading;
    const char* noun;   ///< one record
    const char* plural; ///< the records
};

StoreType storeType(DataFileKind kind)
{
    switch (kind) {
    case DataFileKind::FutureNotes:
        return {CDaylarkFuture::kClass, CFutureFile::kContexts.reading, "note", "notes"};
    case DataFileKind::Lists:
        return {CDaylarkTodo::kClass, CTodoFile::kContexts.reading, "list", "lists"};
    default:
        return {CDaylarkAlarm::kClass, CAlarmFile::kContexts.reading, "alarm", "alarms"};
    }
}

/// A failure message on one line: "Archive Exception, 3, reading Alarm: Unexpectedly ...".
std::string oneLine(std::string message)
{
    const std::string separator = " \nException: ";
    if (const auto at = message.find(separator); at != std::string::npos) {
        message.replace(at, separator.size(), ": ");
    }
    for (char& c : message) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return message;
}

std::string failureText(const FailureContext& context, const CException& failure)
{
    return oneLine(context.message(failure));
}

void markUnreadable(FileCheck& file, const FailureContext& context, const CException& failure)
{
    file.damage = Damage::Unreadable;
    file.what = "it does not open (" + failureText(context, failure) + ")";
}

void checkStore(FileCheck& file)
{
    const StoreType type = storeType(file.kind);
    StoreContent content;
    try {
        content = readStore(file.path, file.kind);
    } catch (const CException& failure) {
        markUnreadable(file, type.reading, failure);
        return;
    }
    file.count = content.records.size();
    if (content.failure.empty()) {
        return;
    }
    file.damage = Damage::UnreadableRecord;
    file.what = std::string(type.noun) + " " + std::to_string(file.count + 1) + " of " +
                std::to_string(content.declared) + " does not read (" + content.failure + ")";
}

void checkDayFile(FileCheck& file)
{
    try {
        File day(file.path, File::Mode::Read);
        try {
            CRecordArchive ar(day, CRecordArchive::Mode::Loading);
            if (ar.readDword() < CDaylarkDoc::kOldLayoutFirst) {
                ar.readTime();
                ar.readDword();
            }
            file.count = ar.readString().size();
        } catch (const CException& failure) {
            file.damage = Damage::UnreadableRecord;
            file.what = "the page does not read (" +
                        failureText(CDaylarkDoc::kReadingContext, failure) + ")";
        } catch (const std::bad_alloc&) {
            file.damage = Damage::UnreadableRecord;
            file.what = "the page does not read (" +
                        failureText(CDaylarkDoc::kReadingContext, CMemoryException()) + ")";
        }
    } catch (const CException& failure) {
        markUnreadable(file, CDaylarkDoc::kReadingContext, failure);
    }
}

void describeArchiveDamage(FileCheck& file, const ArchiveReading& reading)
{
    const ArchiveLayout& layout = reading.layout;
    file.count = layout.entries.size() + reading.entriesAfterDamage.size();
    if (reading.firstEntryField != kFirstEntryOffset) {
        file.damage = Damage::NotArchiveHeader;
        file.damagedFrom = 0;
        file.damagedTo = layout.length;
        file.count = 0;
        file.what = "a header that is not an archive header (offset 12 holds " +
                    std::to_string(reading.firstEntryField) + ", not 16)";
        return;
    }
    if (!layout.hasTornTail()) {
        return;
    }
    file.damagedFrom = layout.tailStart;
    if (reading.entriesAfterDamage.empty()) {
        file.damage = Damage::TornTail;
        file.damagedTo = layout.length;
        file.what = "a torn tail of " + std::to_string(layout.length - layout.tailStart) +
                    " bytes at offset " + std::to_string(layout.tailStart);
        return;
    }
    file.damage = Damage::OpenChain;
    file.damagedTo = reading.entriesAfterDamage.front().start;
    file.what =
        "a chain that does not close: " + std::to_string(file.damagedTo - file.damagedFrom) +
        " bytes at offset " + std::to_string(file.damagedFrom) + " are no entry, and " +
        std::to_string(reading.entriesAfterDamage.size()) + " complete entries follow";
}

void checkArchive(FileCheck& file)
{
    try {
        File archive(file.path, File::Mode::Read);
        describeArchiveDamage(file, readArchive(archive));
    } catch (const CException& failure) {
        markUnreadable(file, CPageArchive::kReadingContext, failure);
    }
}

/// The complete entries that end the file, found from its last DWORD backward; they stop at the
/// first that is not complete, that would start before `floor`, or that does not end where the
/// next one starts.
std::vector<ArchiveEntry> entriesBackFromEnd(ByteFile& file, std::int64_t floor,
                                             std::int64_t length)
{
    std::vector<ArchiveEntry> found;
    std::int64_t end = length;
    while (end - floor >= kEntryFrameSize) {
        file.seek(end - kEntryOffsetSize, SeekFrom::Begin);
        std::int64_t start = 0;
        {
            CRecordArchive ar(file, CRecordArchive::Mode::Loading);
            start = ar.readDword();
        }
        if (start < floor || start >= end) {
            break;
        }
        const auto entry = readCompleteEntry(file, start);
        // A placeholder is complete only as the last entry of the file.
        if (!entry || entry->end != end || (entry->placeholder && end != length)) {
            break;
        }
        found.insert(found.begin(), *entry);
        end = start;
    }
    return found;
}

} // namespace

StoreContent readStore(const std::string& path, DataFileKind kind)
{
    const StoreType type = storeType(kind);
    File file(path, File::Mode::Read);
    StoreContent content;
    if (file.length() < RecordFileBase::kMinRecordsLength) {
        return content;
    }
    content.counted = true;
    try {
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        content.fileVersion = ar.readDword();
        content.declared = ar.readWord();
        for (std::uint16_t i = 0; i < content.declared; ++i) {
            CRecordArchive::ReadResult next = ar.ReadObject(type.recordClass);
            if (!next.isNew()) {
                throw CArchiveException(CArchiveException::badIndex);
            }
            content.records.push_back(std::move(next.owned));
        }
    } catch (const CException& failure) {
        content.failure = failureText(type.reading, failure);
    } catch (const std::bad_alloc&) {
        content.failure = failureText(type.reading, CMemoryException());
    }
    return content;
}

ArchiveReading readArchive(ByteFile& file)
{
    ArchiveReading reading;
    const std::int64_t length = file.length();
    if (length >= kFirstEntryOffset) {
        file.seek(kArchiveHeaderSize, SeekFrom::Begin);
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        reading.firstEntryField = ar.readDword();
    }
    reading.layout = scanArchive(file);
    if (reading.layout.hasTornTail() && reading.firstEntryField == kFirstEntryOffset) {
        reading.entriesAfterDamage = entriesBackFromEnd(file, reading.layout.tailStart, length);
    }
    return reading;
}

void checkDataFile(FileCheck& file)
{
    switch (file.kind) {
    case DataFileKind::DayFile:
        checkDayFile(file);
        return;
    case DataFileKind::Archive:
        checkArchive(file);
        return;
    case DataFileKind::FutureNotes:
    case DataFileKind::Lists:
    case DataFileKind::Alarms:
        checkStore(file);
        return;
    case DataFileKind::SaveTemporary:
        file.damage = Damage::LeftoverTemporary;
        file.what = "a leftover temporary file of a save of " + file.temporaryFor;
        return;
    case DataFileKind::MergeTemporary:
        file.damage = Damage::LeftoverTemporary;
        file.what = "a leftover temporary file of a merge of " + file.temporaryFor;
        return;
    case DataFileKind::SetAside:
        return;
    }
}

} // namespace daylark
