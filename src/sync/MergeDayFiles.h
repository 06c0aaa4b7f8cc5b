#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace daylark {

class MessageSink;
struct SyncSide;

/// Merges the current-day pages of both sides into one text (MergeText of this side's text and
/// the other's, dropping lines found in `thisLast` or `otherLast`, the last filed pages, when
/// given) and rewrites both files with it, each with its own version (2 for the old layout) and
/// page date and the flag 1, which tells the document to take the text over unchanged. Each
/// file is replaced whole. When either file cannot be read, neither is written. The texts of
/// `alsoTexts` (conflict copies of the same day) are merged in after the two pages.
void MergeDayFiles(const SyncSide& side, const std::string& thisFile, const std::string& otherFile,
                   const std::string* thisLast = nullptr, const std::string* otherLast = nullptr,
                   const std::vector<std::string>& alsoTexts = {});

/// The page of a current-day file of either layout.
struct DayPage
{
    std::int64_t date = 0;
    std::string text;
};

/// Reads a current-day file as the synchronisation does; none after a message.
std::optional<DayPage> ReadDayPage(const std::string& path, MessageSink& messages);

} // namespace daylark
