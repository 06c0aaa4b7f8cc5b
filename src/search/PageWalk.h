#pragma once

#include "diary/CDaylarkPage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace daylark {

class Clock;
class CPageArchive;
class MessageSink;

/// The filed pages newest first, across year archives: every page of the first archive from
/// its last entry back, then those of the archive of the year before, and so on. Only the page
/// handed out is in memory, whatever the number of years walked.
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
             int keepYear, MessageSink& messages, const Clock& clock);
    ~PageWalk();
    PageWalk(const PageWalk&) = delete;
    PageWalk& operator=(const PageWalk&) = delete;

    /// The next older page; null when the pages have ended.
    std::unique_ptr<CDaylarkPage> next();

private:
    /// Leaves the archive walked so far (closing it unless it is the first).
    void leaveArchive();
    /// Opens the archive of the year before the one left; false when the pages end there.
    bool openPreviousYear();

    std::function<std::string(int)> m_archivePath;
    const int m_keepYear;
    MessageSink& m_messages;
    const Clock& m_clock;

    CPageArchive* m_current;                 ///< null between two archives
    std::unique_ptr<CPageArchive> m_earlier; ///< the archive of an earlier year, when walked
    int m_year;
    bool m_fromEnd = true;
    std::int64_t m_lastPosition = 0;
    bool m_ended = false;
};

} // namespace daylark
