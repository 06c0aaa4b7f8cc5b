#pragma once

#include <string>

namespace daylark {

struct SyncSide;

/// Merges the current-day pages of both sides into one text (MergeText of this side's text and
/// the other's, dropping lines found in `thisLast` or `otherLast`, the last filed pages, when
/// given) and rewrites both files with it, each with its own version (2 for the old layout) and
/// page date and the flag 1, which tells the document to take the text over unchanged. Each
/// file is replaced whole. When either file cannot be read, neither is written.
void MergeDayFiles(const SyncSide& side, const std::string& thisFile, const std::string& otherFile,
                   const std::string* thisLast = nullptr, const std::string* otherLast = nullptr);

} // namespace daylark
