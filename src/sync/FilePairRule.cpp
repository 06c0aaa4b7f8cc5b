#include "sync/FilePairRule.h"

#include "diary/CDaylarkDoc.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"
#include "sync/FileSet.h"
#include "sync/SyncSide.h"

namespace daylark {

namespace {

bool isMissing(const FileStatus& status)
{
    return !status.exists || status.size == 0;
}

/// Copies `from` over `to`; a failure shows `pattern` with the error number and both names.
void copyOver(const SyncSide& side, const std::string& from, const std::string& to,
              const char* pattern)
{
    side.aboutToWrite(to);
    if (const int error = copyFile(from, to); error != 0) {
        side.doc.messages().error(fillMessage(pattern, {std::to_string(error), from, to}));
        return;
    }
    side.countFileCopied();
}

} // namespace

} // namespace daylark

bool daylark::dataFileMissing(const std::string& path)
{
    return isMissing(fileStatus(path));
}

bool daylark::ApplyFilePairRule(const SyncSide& side, const std::string& thisFile,
                                const std::string& otherFile, const FilePairMessages& messages,
                                ThisSideHeld held)
{
    const FileStatus ours = fileStatus(thisFile);
    const FileStatus theirs = fileStatus(otherFile);
    if (isMissing(ours) && isMissing(theirs)) {
        return false;
    }
    if (isMissing(ours)) {
        if (held == ThisSideHeld::Yes) {
            return true;
        }
        copyOver(side, otherFile, thisFile, messages.thisMissing);
        return false;
    }
    if (isMissing(theirs)) {
        copyOver(side, thisFile, otherFile, messages.otherMissing);
        return false;
    }
    return !filesAgree(thisFile, otherFile);
}
