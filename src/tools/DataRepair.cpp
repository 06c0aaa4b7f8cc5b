// The repairs of DataCheck: each moves the damaged bytes of one file aside, never deleting one,
// and leaves what still reads where the readers find it.
#include "diary/ArchiveScan.h"
#include "format/CObject.h"
#include "format/CRecordArchive.h"
#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "tools/DataCheck.h"
#include "tools/DataFileChecks.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace daylark {

namespace {

/// A repair that cannot go on; the file stays as it was.
struct RepairFailure
{
    std::string reason;
};

std::string reasonOf(const CException& failure)
{
    if (const auto* file = dynamic_cast<const CFileException*>(&failure);
        file != nullptr && file->osError() != 0) {
        return std::strerror(file->osError());
    }
    return failure.what();
}

std::string damagedCopyName(const std::string& path)
{
    return firstFreeName(path + ".damaged.");
}

/// Renames `path` to the first free "<target>.damaged.NNN" beside it; returns the new name.
std::string moveAside(const std::string& path, const std::string& target)
{
    const std::string to = damagedCopyName(joinPath(directoryOf(path), target));
    if (const int error = renameFile(path, to); error != 0) {
        throw RepairFailure{std::strerror(error)};
    }
    return to;
}

void copyRange(ByteFile& from, ByteFile& to, std::int64_t begin, std::int64_t end)
{
    std::vector<char> buffer(64 * 1024);
    from.seek(begin, SeekFrom::Begin);
    while (begin < end) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(end - begin, static_cast<std::int64_t>(buffer.size())));
        const std::size_t got = from.read(buffer.data(), want);
        if (got == 0) {
            throw CFileException(CFileException::endOfFile);
        }
        to.write(buffer.data(), got);
        begin += static_cast<std::int64_t>(got);
    }
}

/// Writes the bytes [begin, end) of `source` into a new side file `to`, durably.
void writeSideFile(File& source, const std::string& to, std::int64_t begin, std::int64_t end)
{
    AtomicFile side(to);
    copyRange(source, side.file(), begin, end);
    side.commit();
}

void writeDword(ByteFile& file, std::int64_t value)
{
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    ar.writeDword(static_cast<std::uint32_t>(value));
    ar.Close();
}

constexpr const char* kChangedSinceCheck = "it changed after it was checked; check it again";

const char* recordsNoun(DataFileKind kind)
{
    switch (kind) {
    case DataFileKind::FutureNotes:
        return "notes";
    case DataFileKind::Lists:
        return "lists";
    default:
        return "alarms";
    }
}

std::string repairTornTail(const FileCheck& file)
{
    File archive(file.path, File::Mode::ReadWrite);
    if (archive.length() != file.damagedTo) {
        throw RepairFailure{kChangedSinceCheck};
    }
    const std::string torn =
        firstFreeName(joinPath(directoryOf(file.path), file.name.substr(0, 4) + ".torn."));
    writeSideFile(archive, torn, file.damagedFrom, file.damagedTo);
    archive.truncate(file.damagedFrom);
    archive.sync();
    archive.close();
    return "moved to " + baseNameOf(torn);
}

/// Writes the archive again without its damaged bytes: the entries before them as they are,
/// the complete entries after them moved up with their offsets set to their new places.
std::string repairOpenChain(const FileCheck& file)
{
    File archive(file.path, File::Mode::Read);
    const ArchiveReading reading = readArchive(archive);
    if (reading.layout.tailStart != file.damagedFrom || reading.entriesAfterDamage.empty() ||
        reading.entriesAfterDamage.front().start != file.damagedTo) {
        throw RepairFailure{kChangedSinceCheck};
    }
    std::string side;
    if (file.damagedTo > file.damagedFrom) {
        side = damagedCopyName(file.path);
        writeSideFile(archive, side, file.damagedFrom, file.damagedTo);
    }
    AtomicFile rebuilt(file.path);
    File& out = rebuilt.file();
    copyRange(archive, out, 0, file.damagedFrom);
    if (!reading.layout.entries.empty() && reading.layout.entries.back().placeholder) {
        // The last entry before the damage was left holding its placeholder: link it on.
        out.seek(reading.layout.entries.back().start, SeekFrom::Begin);
        writeDword(out, file.damagedFrom);
        out.seek(file.damagedFrom, SeekFrom::Begin);
    }
    std::int64_t start = file.damagedFrom;
    for (const ArchiveEntry& entry : reading.entriesAfterDamage) {
        const std::int64_t end = start + (entry.end - entry.start);
        writeDword(out, end);
        copyRange(archive, out, entry.start + kEntryOffsetSize, entry.end - kEntryOffsetSize);
        writeDword(out, start);
        start = end;
    }
    rebuilt.commit();
    if (side.empty()) {
        return "the entries after it linked on";
    }
    return std::to_string(file.damagedTo - file.damagedFrom) + " bytes moved to " +
           baseNameOf(side) + ", the " + std::to_string(file.count) + " pages kept";
}

std::string repairArchive(const FileCheck& file)
{
    switch (file.damage) {
    case Damage::TornTail:
        return repairTornTail(file);
    case Damage::OpenChain:
        return repairOpenChain(file);
    case Damage::NotArchiveHeader:
        return "the whole file moved to " + baseNameOf(moveAside(file.path, file.name)) +
               "; the next page filed starts a new archive";
    default:
        throw RepairFailure{"it cannot be read"};
    }
}

/// Copies the store aside whole, then writes it again with the records that read.
std::string repairStore(const FileCheck& file)
{
    const StoreContent content = readStore(file.path, file.kind);
    if (content.failure.empty()) {
        throw RepairFailure{kChangedSinceCheck};
    }
    const std::string copy = damagedCopyName(file.path);
    if (const int error = copyFile(file.path, copy); error != 0) {
        throw RepairFailure{std::strerror(error)};
    }
    AtomicFile rewritten(file.path);
    CRecordArchive ar(rewritten.file(), CRecordArchive::Mode::Storing);
    ar.writeDword(content.fileVersion);
    ar.writeWord(static_cast<std::uint16_t>(content.records.size()));
    for (const auto& record : content.records) {
        ar.WriteObject(record.get());
    }
    ar.Close();
    rewritten.commit();
    return "the file as it was copied to " + baseNameOf(copy) + ", the " +
           std::to_string(content.records.size()) + " " + recordsNoun(file.kind) +
           " that read kept";
}

std::string repairFile(const FileCheck& file)
{
    switch (file.kind) {
    case DataFileKind::Archive:
        return repairArchive(file);
    case DataFileKind::FutureNotes:
    case DataFileKind::Lists:
    case DataFileKind::Alarms:
        if (file.damage != Damage::UnreadableRecord) {
            throw RepairFailure{"it cannot be read"};
        }
        return repairStore(file);
    case DataFileKind::DayFile:
        if (file.damage != Damage::UnreadableRecord) {
            throw RepairFailure{"it cannot be read"};
        }
        return "moved to " + baseNameOf(moveAside(file.path, baseNameOf(file.path))) +
               "; the next start begins an empty page";
    case DataFileKind::SaveTemporary:
    case DataFileKind::MergeTemporary:
        return "moved to " + baseNameOf(moveAside(file.path, file.temporaryFor));
    case DataFileKind::SetAside:
        break;
    }
    throw RepairFailure{"nothing to repair"};
}

} // namespace

void DataCheck::repair(DataCheckReport& report) const
{
    for (FileCheck& file : report.files) {
        if (!file.damaged()) {
            continue;
        }
        try {
            file.repaired = repairFile(file);
        } catch (const RepairFailure& failure) {
            file.repairFailure = failure.reason;
        } catch (const CException& failure) {
            file.repairFailure = reasonOf(failure);
        } catch (const std::bad_alloc&) {
            file.repairFailure = "out of memory";
        }
    }
}

} // namespace daylark
