#include "sync/Backup.h"

#include "diary/CDaylarkDoc.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"
#include "sync/FileSet.h"
#include "sync/SyncSide.h"

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

/// CopyIfChanged, telling a copy apart from a file left as it was.
CopyOutcome copyIfChanged(const std::string& source, const std::string& destination,
                          MessageSink& messages)
{
    const FileStatus from = fileStatus(source);
    if (!from.exists) {
        return CopyOutcome::UpToDate;
    }
    const FileStatus to = fileStatus(destination);
    if (to.exists && to.modified == from.modified && to.size == from.size) {
        return CopyOutcome::UpToDate;
    }
    if (const int error = copyFile(source, destination); error != 0) {
        messages.error(fillMessage(kCopyFailed, {std::to_string(error), source, destination}));
        return CopyOutcome::Failed;
    }
    return CopyOutcome::Copied;
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
        const auto copy = [&](const std::string& source, const std::string& name) {
            m_side.beginStep("Backing up " + name + whose, m_done++, m_total);
            switch (copyIfChanged(source, findDataFile(to, name), m_side.doc.messages())) {
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
            copy(findDataFile(from, name), name);
        }
        for (const char* name : {FileSet::kAlarmFile, FileSet::kListsFile, FileSet::kFutureFile}) {
            copy(findDataFile(from, name), name);
        }
        copy(dayFile, FileSet::kDayFile);
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
