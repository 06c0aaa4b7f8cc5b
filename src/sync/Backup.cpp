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

/// Copies the files of the set in `from` (its current-day file is `dayFile`) into `to`, in
/// the order of the set; 1 when every copy succeeded.
int copySet(const std::string& from, const std::string& dayFile, const std::string& to,
            int lastYear, MessageSink& messages)
{
    int result = 1;
    const auto copy = [&](const std::string& source, const char* name) {
        if (CopyIfChanged(source, findDataFile(to, name), messages) == 0) {
            result = 0;
        }
    };
    for (int year = FileSet::kFirstYear; year <= lastYear; ++year) {
        const std::string name = FileSet::archiveName(year);
        copy(findDataFile(from, name), name.c_str());
    }
    for (const char* name : {FileSet::kAlarmFile, FileSet::kListsFile, FileSet::kFutureFile}) {
        copy(findDataFile(from, name), name);
    }
    copy(dayFile, FileSet::kDayFile);
    return result;
}

} // namespace

} // namespace daylark

int daylark::CopyIfChanged(const std::string& source, const std::string& destination,
                           MessageSink& messages)
{
    const FileStatus from = fileStatus(source);
    if (!from.exists) {
        return 1;
    }
    const FileStatus to = fileStatus(destination);
    if (to.exists && to.modified == from.modified && to.size == from.size) {
        return 1;
    }
    if (const int error = copyFile(source, destination); error != 0) {
        messages.error(fillMessage(kCopyFailed, {std::to_string(error), source, destination}));
        return 0;
    }
    return 1;
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
    const int lastYear = FileSet::currentYear(side.doc.clock());
    const std::string local = *root + "LocalDaylark";
    if (!ensureDirectory(local, messages)) {
        return 0;
    }
    int result =
        copySet(directoryOf(archivePath), side.doc.dayFilePath(), local, lastYear, messages);

    const std::string otherDir =
        otherPath.find('/') == std::string::npos ? std::string() : directoryOf(otherPath);
    if (otherDir.empty() || !fileStatus(otherDir).isDirectory) {
        return result;
    }
    const std::string remote = *root + "RemoteDaylark";
    if (!ensureDirectory(remote, messages)) {
        return 0;
    }
    if (copySet(otherDir, findDataFile(otherDir, FileSet::kDayFile), remote, lastYear, messages) ==
        0) {
        result = 0;
    }
    return result;
}
