#pragma once

#include <string>

namespace daylark {

struct SyncSide;

/// Merges the year archives `thisFile` and `otherFile` day by day, so that both end with the
/// same pages: after the file pair rule, the pages of each local day, this side's first, are
/// merged into the one with the longest text (MergeText), and the merged archive is written to
/// TemporaryName(thisFile) with the other side's header, copied over the other file, given this
/// side's header and copied over this file; then the temporary file is removed. Pages of another
/// year than the file's are carried along in date order. `thisLast` and `otherLast`, when given,
/// receive the text of each archive's last page in file order (only when the two are merged).
///
/// Nothing is lost when a step fails or the program stops half way: each archive is replaced
/// whole or not at all, and when the copy over this file fails the temporary archive stays. An
/// archive that does not read whole (a failure, or damaged or incomplete entries at its end) is
/// not merged: the message says so and both files stay as they are.
void MergeYearArchives(const SyncSide& side, const std::string& thisFile,
                       const std::string& otherFile, std::string* thisLast = nullptr,
                       std::string* otherLast = nullptr);

} // namespace daylark
