#pragma once

#include <string>

namespace daylark {

struct SyncSide;

/// The two messages of a kind of file when one side's file is missing and the copy of the
/// other one fails: "#1" when this side's file is missing, "#2" when the other side's is.
struct FilePairMessages
{
    const char* thisMissing;
    const char* otherMissing;
};

/// Whether a data file counts as missing to the file pair rule: it does not exist or is empty.
/// A missing file is never read as "every record removed".
bool dataFileMissing(const std::string& path);

/// Whether this side's list is held by another operation while the pair is looked at.
enum class ThisSideHeld { No, Yes };

/// The rule that comes before the merge of two year archives, future files or lists files. A
/// file counts as missing when it does not exist or is empty. One missing: the other is copied
/// over it (a failure shows the kind's message; the pair stays as it was). Both missing, or both
/// present and agreeing (filesAgree: time, size and bytes): nothing to do. Returns true only when
/// the two must be merged. While this side's list is held, a missing file on this side is merged
/// into the held list instead of copied under it.
bool ApplyFilePairRule(const SyncSide& side, const std::string& thisFile,
                       const std::string& otherFile, const FilePairMessages& messages,
                       ThisSideHeld held = ThisSideHeld::No);

} // namespace daylark
