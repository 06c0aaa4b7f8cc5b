#include "sync/Backup.h"

#include "alarms/CAlarmFile.h"
#include "diary/ArchiveScan.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CPageArchive.h"
#include "format/CRecordArchive.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "sync/FileSet.h"
#include "sync/SyncSide.h"

#include <new>
#include <optional>

namespace daylark {

namespace {

constexpr const char* kCopyFailed =
    "Error %ld copying %s to %s.\n Is this file in use? Scrolled or searching for example.";
constexpr const char* kCreateFailed = "Error %ld creating directory %s";
/// TemporaryName keeps this many characters of the file name ("1996." of "1996.dlk").
constexpr std::size_t kStemLength = 5;
/// The files of a set besides its year archives: alarms, lists, future notes, current day.
constexpr int kStoreFiles = 4;

/// Makes `dir` unless it is a directory already; false after the message of a failure.
bool ensureDirectory(const std::string& dir, MessageSink& messages)
{
    if (fileStatus(dir).isDirectory) {
        return true;
    }
    if (const int error = createDirectory(dir); error != 0) {
        messages.error(fillMessage(kCreateFailed, {std::to_string(error), dir}));
        return false;
    }
    return true;
}

enum class CopyOutcome { UpToDate, Copied, Failed };

/// The kinds of file in a set, each read whole in its own way before it is backed up.
enum class FileKind { Archive, Alarms, Lists, Future, Day };

/// Keeps the first failure a store shows while it is read.
class FirstFailure : public MessageSink
{
public:
    MessageAnswer ask(const std::string& text, const std::string&, MessageIcon,
                      MessageButtons) override
    {
        if (!failure) {
            failure = text;
        }
        return MessageAnswer::Cancel;
    }
    void notify(const std::string&, const std::string&) override {}

    std::optional<std::string> failure;
};

template <class Store> std::optional<std::string> storeDamage(const std::string& path)
{
    FirstFailure sink;
    Store store(path, sink);
    store.setUse(FileUse::ReadOnly);
    store.Load();
    store.Empty();
    return sink.failure;
}

/// Why a year archive does not read whole: a header that is not one, a chain that does not
/// close or a torn tail after it, a record that does not read. None when it reads whole.
std::optional<std::string> archiveDamage(const std::string& path)
{
    try {
        File file(path, File::Mode::Read);
        const ArchiveLayout layout = scanArchive(file);
        if (layout.notAnArchive) {
            return path + ": the value at offset 12 is not 16, so this is no archive header.";
        }
        if (layout.hasTornTail()) {
            return path + ": the bytes from offset " + std::to_string(layout.tailStart) +
                   " on hold no complete page.";
        }
        return std::nullopt;
    } catch (const CException& failure) {
        return CPageArchive::kReadingContext.message(failure);
    } catch (const std::bad_alloc&) {
        return CPageArchive::kReadingContext.message(CMemoryException());
    }
}

/// Why a current-day file (either layout) does not read whole; none when it does.
std::optional<std::string> dayFileDamage(const std::string& path)
{
    try {
        File file(path, File::Mode::Read);
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        if (ar.readDword() < CDaylarkDoc::kOldLayoutFirst) {
            ar.readTime();
            ar.readDword();
        }
        ar.readString();
        return std::nullopt;
    } catch (const CException& failure) {
        return CDaylarkDoc::kReadingContext.message(failure);
    } catch (const std::bad_alloc&) {
        return CDaylarkDoc::kReadingContext.message(CMemoryException());
    }
}

std::optional<std::string> damageOf(const std::string& path, FileKind kind)
{
    switch (kind) {
    case FileKind::Archive:
        return archiveDamage(path);
    case FileKind::Alarms:
        return storeDamage<CAlarmFile>(path);
    case FileKind::Lists:
        return storeDamage<CTodoFile>(path);
    case FileKind::Future:
        return storeDamage<CFutureFile>(path);
    case FileKind::Day:
        return dayFileDamage(path);
    }
    return std::nullopt;
}

/// Copies `source` over `destination`; a failure is shown.
CopyOutcome copyNow(const std::string& source, const std::string& destination,
                    MessageSink& messages)
{
    if (const int error = copyFile(source, destination); error != 0) {
        messages.error(fillMessage(kCopyFailed, {std::to_string(error), source, destination}));
        return CopyOutcome::Failed;
    }
    return CopyOutcome::Copied;
}

/// CopyIfChanged, telling a copy apart from a file left as it was.
CopyOutcome copyIfChanged(const std::string& source, const std::string& destination,
                          MessageSink& messages)
{
    if (!fileStatus(source).exists || filesAgree(source, destination)) {
        return CopyOutcome::UpToDate;
    }
    return copyNow(source, destination, messages);
}

/// copyIfChanged for a file of the set, which must read whole before it replaces its last
/// copy: a damaged file is shown, and the copy in the backup, the last good one, stays. With
/// no copy there yet, the damaged file is backed up as it is, since that replaces nothing.
CopyOutcome backUpFile(const std::string& source, const std::string& destination, FileKind kind,
                       MessageSink& messages)
{
    if (!fileStatus(source).exists || filesAgree(source, destination)) {
        return CopyOutcome::UpToDate;
    }
    const auto damage = damageOf(source, kind);
    if (!damage) {
        return copyNow(source, destination, messages);
    }
    if (fileStatus(destination).exists) {
        messages.error(*damage + "\n" + source +
                       " does not read whole, so the backup keeps its last copy, " + destination +
                       ".");
        return CopyOutcome::Failed;
    }
    const CopyOutcome copied = copyNow(source, destination, messages);
    if (copied == CopyOutcome::Copied) {
        messages.error(*damage + "\n" + source +
                       " does not read whole; it was backed up as it is.");
    }
    return CopyOutcome::Failed;
}

/// The steps of one backup: every file of one or two sets, told to the side as they come.
class BackupSteps
{
public:
    BackupSteps(const SyncSide& side, int lastYear, int sets)
        : m_side(side)
        , m_lastYear(lastYear)
        , m_total(sets * (lastYear - FileSet::kFirstYear + 1 + kStoreFiles))
    {}

    /// Copies the files of the set in `from` (its current-day file is `dayFile`) into `to`, in
    /// the order of the set; 1 when every copy succeeded. `whose` ends each step's text.
    int copySet(const std::string& from, const std::string& dayFile, const std::string& to,
                const std::string& whose)
    {
        int result = 1;
        const auto copy = [&](const std::string& source, const std::string& name, FileKind kind) {
            m_side.beginStep("Backing up " + name + whose, m_done++, m_total);
            switch (backUpFile(source, findDataFile(to, name), kind, m_side.doc.messages())) {
            case CopyOutcome::Copied:
                m_side.countFileCopied();
                break;
            case CopyOutcome::Failed:
                result = 0;
                break;
            case CopyOutcome::UpToDate:
                break;
            }
        };
        for (int year = FileSet::kFirstYear; year <= m_lastYear; ++year) {
            const std::string name = FileSet::archiveName(year);
            copy(findDataFile(from, name), name, FileKind::Archive);
        }
        copy(findDataFile(from, FileSet::kAlarmFile), FileSet::kAlarmFile, FileKind::Alarms);
        copy(findDataFile(from, FileSet::kListsFile), FileSet::kListsFile, FileKind::Lists);
        copy(findDataFile(from, FileSet::kFutureFile), FileSet::kFutureFile, FileKind::Future);
        copy(dayFile, FileSet::kDayFile, FileKind::Day);
        return result;
    }

private:
    const SyncSide& m_side;
    const int m_lastYear;
    const int m_total;
    int m_done = 0;
};

} // namespace

} // namespace daylark

int daylark::CopyIfChanged(const std::string& source, const std::string& destination,
                           MessageSink& messages)
{
    return copyIfChanged(source, destination, messages) == CopyOutcome::Failed ? 0 : 1;
}

std::string daylark::TemporaryName(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string stem =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1 + kStemLength);
    return firstFreeName(stem);
}

int daylark::Backup(const SyncSide& side, const std::string& backupPath,
                    const std::string& otherPath)
{
    const auto root = directoryWithSlash(backupPath);
    const std::string& archivePath = side.doc.pageArchive().fileName();
    if (!root || archivePath.find('/') == std::string::npos) {
        return 0;
    }
    MessageSink& messages = side.doc.messages();
    const std::string otherDir =
        otherPath.find('/') == std::string::npos ? std::string() : directoryOf(otherPath);
    const bool withOther = !otherDir.empty() && fileStatus(otherDir).isDirectory;
    BackupSteps steps(side, FileSet::currentYear(side.doc.clock()), withOther ? 2 : 1);
    const std::string local = *root + "LocalDaylark";
    if (!ensureDirectory(local, messages)) {
        return 0;
    }
    int result = steps.copySet(directoryOf(archivePath), side.doc.dayFilePath(), local, "");
    if (!withOther) {
        return result;
    }
    const std::string remote = *root + "RemoteDaylark";
    if (!ensureDirectory(remote, messages)) {
        return 0;
    }
    if (steps.copySet(otherDir, findDataFile(otherDir, FileSet::kDayFile), remote,
                      " of the other Daylark") == 0) {
        result = 0;
    }
    return result;
}
