#include "search/PageWalk.h"

#include "diary/CPageArchive.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace daylark {

namespace {

/// No archive holds a page before this year: stored times start in December 1901.
constexpr int kFirstStoredYear = 1901;

} // namespace

PageWalk::PageWalk(CPageArchive& first, int firstYear, std::function<std::string(int)> archivePath,
                   int keepYear, MessageSink& messages, const Clock& clock)
    : m_archivePath(std::move(archivePath))
    , m_keepYear(keepYear)
    , m_messages(messages)
    , m_clock(clock)
    , m_current(&first)
    , m_year(firstYear)
{}

PageWalk::~PageWalk() = default;

std::unique_ptr<CDaylarkPage> PageWalk::next()
{
    while (!m_ended) {
        if (m_current == nullptr && !openPreviousYear()) {
            m_ended = true;
            break;
        }
        std::unique_ptr<CDaylarkPage> page;
        const std::int64_t position = m_current->FindPage(page, m_clock.now(), m_fromEnd,
                                                          /*backward=*/true, /*takeAny=*/true);
        // Each step must go back: an archive that offered the same entry again is done.
        if (position <= 0 || page == nullptr || (!m_fromEnd && position >= m_lastPosition)) {
            leaveArchive();
            continue;
        }
        m_fromEnd = false;
        m_lastPosition = position;
        // The first entry caches a previous start (its own) above its position: none is
        // older, and asking for one would read it again.
        if (m_current->cachedPosition() < m_current->cachedPreviousStart()) {
            leaveArchive();
        }
        return page;
    }
    return nullptr;
}

void PageWalk::leaveArchive()
{
    m_current = nullptr;
    m_earlier.reset(); // destroying an archive closes it; the first one stays open
}

bool PageWalk::openPreviousYear()
{
    while (m_year > kFirstStoredYear) {
        --m_year;
        const std::string path = m_archivePath(m_year);
        auto archive = std::make_unique<CPageArchive>(path, m_messages, m_clock);
        if (archive->Open(/*loading=*/true, /*create=*/false) == 0) {
            m_earlier = std::move(archive);
            m_current = m_earlier.get();
            m_fromEnd = true;
            return true;
        }
        if (fileStatus(path).exists || m_year < m_keepYear) {
            return false;
        }
    }
    return false;
}

} // namespace daylark
