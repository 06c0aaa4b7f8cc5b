#pragma once

#include <string>
#include <vector>

namespace daylark {

class MessageSink;

/// A file that a sync engine left beside a data file when two machines wrote it at once, named
/// after it: "daylark.sync-conflict-20261207-101500-ABCDEFG.fut" or
/// "daylark (conflicted copy 2026-12-07 101500).fut" for "daylark.fut".
struct ConflictCopy
{
    std::string path;
    /// The data file it is a copy of, in lower case ("daylark.fut", "1997.dlk").
    std::string dataName;
};

/// Where merged conflict copies go, beside the files they were copies of.
inline constexpr const char* kConflictsMergedFolder = "conflicts-merged";

/// The conflict copies in `dir` of the files of a data set whose archives run to `lastYear`,
/// in name order.
std::vector<ConflictCopy> FindConflictCopies(const std::string& dir, int lastYear);

/// The paths of the copies of `dataName`.
std::vector<std::string> CopiesOf(const std::vector<ConflictCopy>& copies,
                                  const std::string& dataName);

/// Moves a merged copy whole into the "conflicts-merged" folder beside it (made when missing),
/// under its own name, or the first free "<name>.NNN" when that is taken. False after a message.
bool SetConflictCopyAside(const std::string& path, MessageSink& messages);

} // namespace daylark
