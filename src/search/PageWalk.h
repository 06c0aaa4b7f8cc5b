#pragma once

#include "search/YearScan.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace daylark {

class Clock;
class CPageArchive;
class MessageSink;

/// How a walk reads a year archive: in large blocks, matching the texts where they lie and
/// decoding nothing else (archives with anything unusual in them are still read entry by
/// entry), or every archive entry by entry through CPageArchive.
enum class ArchiveReading { InBlocks, EntryByEntry };

/// The filed pages newest first, across year archives: every page of the first archive from
/// its last entry back, then those of the archive of the year before, and so on. It hands on
/// the pages its filter lets through (see PageFilter) and ends after the page that ends the
/// walk, or once the budget is spent. At most one year's pages to hand on are in memory,
/// whatever the number of years walked.
///
/// The first archive (the document's) is borrowed: the caller opens it for reading and closes
/// it; one that is not open, missing or empty simply has no pages. Earlier years are opened
/// here, one at a time, and closed when done. The walk ends at an archive that cannot be
/// opened (its message is shown) and at one that is missing, unless its year is `keepYear` or
/// later: a year without pages inside the searched months does not hide the years before it.
/// A read failure inside an archive (shown by the archive) ends that archive's pages.
class PageWalk
{
public:
    /// `archivePath` names the archive of a year.
    PageWalk(CPageArchive& first, int firstYear, std::function<std::string(int)> archivePath,
             int keepYear, PageFilter filter, WalkBudget budget, ArchiveReading reading,
             MessageSink& messages, const Clock& clock);
    ~PageWalk();
    PageWalk(const PageWalk&) = delete;
    PageWalk& operator=(const PageWalk&) = delete;

    /// The next page to hand on; none when the pages have ended.
    std::optional<WalkedPage> next();

private:
    /// The next page of the archive walked entry by entry; none when it has no more.
    std::optional<WalkedPage> nextEntry();
    /// Takes up an archive read in blocks; false when it must be walked entry by entry.
    bool scanned(const std::string& path);
    /// Leaves the archive walked so far (closing it unless it is the first).
    void leaveArchive();
    /// Goes to the archive of the year before the one left; false when the pages end there.
    bool enterPreviousYear();

    std::function<std::string(int)> m_archivePath;
    const int m_keepYear;
    const PageFilter m_filter;
    WalkBudget m_budget;
    const ArchiveReading m_reading;
    MessageSink& m_messages;
    const Clock& m_clock;

    std::vector<WalkedPage> m_scanned; ///< the pages of an archive read in blocks
    std::size_t m_nextScanned = 0;
    bool m_inScanned = false;
    CPageArchive* m_current;                 ///< the archive walked entry by entry; null when none
    std::unique_ptr<CPageArchive> m_earlier; ///< the archive of an earlier year, when walked
    int m_year;
    bool m_fromEnd = true;
    std::int64_t m_lastPosition = 0;
    bool m_ended = false;
};

} // namespace daylark
