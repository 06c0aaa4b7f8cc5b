#pragma once

#include "alarms/CDaylarkAlarm.h"
#include "records/CDaylarkTodo.h"
#include "search/PageWalk.h"
#include "search/SearchTerm.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

class Clock;
class CPageArchive;
class MessageSink;
struct DisplayFlags;

/// How two search terms combine; the values are those of the dialog's radio buttons.
enum class Combination { Or = 0, And = 1 };

/// The two terms of a search. With term 2 empty only term 1 counts; otherwise both must match
/// ("and") or either ("or"). An empty term matches nothing; each term is found in either of
/// its spellings (see SearchTerm).
class SearchTerms
{
public:
    SearchTerms(std::string_view term1, std::string_view term2, Combination combination);
    bool matches(std::string_view text) const;

private:
    SearchTerm m_term1;
    SearchTerm m_term2;
    Combination m_combination;
};

/// What the user asked for.
struct SearchRequest
{
    std::string term1;
    std::string term2;
    Combination combination = Combination::And;
    int monthsBack = 6;
    int maxHits = 40;
};

/// Where a search looks: the year archives from `firstArchive` back (see PageWalk), then the
/// lists, then the alarms, each in its own order.
struct SearchSources
{
    CPageArchive& firstArchive; ///< opened for reading by the caller, left open
    int firstYear;
    std::function<std::string(int)> archivePath; ///< the archive of a year
    const std::vector<std::unique_ptr<CDaylarkTodo>>& lists;
    const std::vector<std::unique_ptr<CDaylarkAlarm>>& alarms;
    ArchiveReading reading = ArchiveReading::InBlocks;
};

/// One hit: its text, and the date of its page when it was found in a filed page.
struct SearchHit
{
    std::string text;
    std::optional<std::int64_t> pageDate; ///< none for a list or an alarm
};

/// The hits found, in the order found: pages newest first, then lists, then alarms.
struct SearchResults
{
    std::vector<SearchHit> hits;
    int hitCount = 0;
    /// The hits passed kBufferLimit characters: the last one carries the two message lines
    /// and nothing after it was examined.
    bool bufferFull = false;
};

/// Line breaks inside hit texts.
inline constexpr std::string_view kHitLineBreak = "\r\r\n";
/// The hit texts together may reach this many characters; the hit that passes it ends the search.
inline constexpr std::size_t kBufferLimit = 32000;
/// A month back is 30 days.
inline constexpr std::int64_t kSecondsPerMonth = 30 * 86400;

/// The limit date of a search at `now`: `monthsBack` months of 30 days earlier. Pages whose
/// local day is before its local day end the walk (the first of them is still tested).
std::int64_t searchLimit(std::int64_t now, int monthsBack);

/// Runs a search. Pages: each is tested, newest first, until the hit count reaches
/// `maxHits` (the newest page is tested even when that is 0) or a page before the limit date
/// has been tested. Lists (by their contents) and then alarms (by their names) are tested only
/// while the hit count is below `maxHits`. Hit texts:
///   "PAGE: " date, break, page text
///   "LIST: " name, break, " Last changed: " date and time, break, contents
///   "ALARM: " name, break, " At: " date and time
/// with dates as FormatDate gives them under `flags`. Searching changes no page, list or alarm.
SearchResults searchText(const SearchRequest& request, const SearchSources& sources,
                         const DisplayFlags& flags, MessageSink& messages, const Clock& clock);

} // namespace daylark
