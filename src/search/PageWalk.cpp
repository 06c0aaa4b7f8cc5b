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
                   int keepYear, PageFilter filter, WalkBudget budget, ArchiveReading reading,
                   MessageSink& messages, const Clock& clock)
    : m_archivePath(std::move(archivePath))
    , m_keepYear(keepYear)
    , m_filter(std::move(filter))
    , m_budget(budget)
    , m_reading(reading)
    , m_messages(messages)
    , m_clock(clock)
    , m_current(&first)
    , m_year(firstYear)
{
    // The document's archive is open for reading; reading its file again in blocks sees the
    // same bytes. One that is not open has no pages.
    if (first.isOpen() && scanned(first.fileName())) {
        m_current = nullptr;
    }
}

PageWalk::~PageWalk() = default;

std::optional<WalkedPage> PageWalk::next()
{
    while (!m_ended) {
        if (m_inScanned) {
            if (m_nextScanned < m_scanned.size()) {
                WalkedPage page = std::move(m_scanned[m_nextScanned++]);
                m_ended = page.last || (m_nextScanned == m_scanned.size() && m_budget.spent());
                return page;
            }
            m_inScanned = false;
            m_scanned.clear();
            continue;
        }
        if (m_current == nullptr && !enterPreviousYear()) {
            m_ended = true;
            break;
        }
        if (m_current == nullptr) {
            continue; // read in blocks
        }
        if (auto page = nextEntry()) {
            m_ended = page->last || m_budget.spent();
            return page;
        }
    }
    return std::nullopt;
}

std::optional<WalkedPage> PageWalk::nextEntry()
{
    while (m_current != nullptr) {
        std::unique_ptr<CDaylarkPage> page;
        const std::int64_t position = m_current->FindPage(page, m_clock.now(), m_fromEnd,
                                                          /*backward=*/true, /*takeAny=*/true);
        // Each step must go back: an archive that offered the same entry again is done.
        if (position <= 0 || page == nullptr || (!m_fromEnd && position >= m_lastPosition)) {
            leaveArchive();
            break;
        }
        m_fromEnd = false;
        m_lastPosition = position;
        // The first entry caches a previous start (its own) above its position: none is
        // older, and asking for one would read it again.
        if (m_current->cachedPosition() < m_current->cachedPreviousStart()) {
            leaveArchive();
        }
        const bool matched = m_filter.matches(page->Text);
        const bool last = m_filter.newestOnly || m_filter.beforeLimit(page->Date);
        if (matched) {
            m_budget.take(page->Text.size());
            return WalkedPage{page->Date, std::move(page->Text), true, last};
        }
        if (last) {
            return WalkedPage{page->Date, {}, false, true};
        }
    }
    return std::nullopt;
}

bool PageWalk::scanned(const std::string& path)
{
    if (m_reading != ArchiveReading::InBlocks) {
        return false;
    }
    auto pages = scanYearArchive(path, m_filter, m_budget);
    if (!pages) {
        return false;
    }
    m_scanned = std::move(*pages);
    m_nextScanned = 0;
    m_inScanned = true;
    // A year whose pages were all passed over may still have spent nothing: the walk goes on
    // with the year before, unless the budget is spent.
    if (m_scanned.empty() && m_budget.spent()) {
        m_ended = true;
    }
    return true;
}

void PageWalk::leaveArchive()
{
    m_current = nullptr;
    m_earlier.reset(); // destroying an archive closes it; the first one stays open
}

bool PageWalk::enterPreviousYear()
{
    while (m_year > kFirstStoredYear) {
        --m_year;
        const std::string path = m_archivePath(m_year);
        const bool exists = fileStatus(path).exists;
        if (exists && scanned(path)) {
            return true;
        }
        auto archive = std::make_unique<CPageArchive>(path, m_messages, m_clock);
        if (archive->Open(/*loading=*/true, /*create=*/false) == 0) {
            m_earlier = std::move(archive);
            m_current = m_earlier.get();
            m_fromEnd = true;
            return true;
        }
        if (exists || m_year < m_keepYear) {
            return false;
        }
    }
    return false;
}

} // namespace daylark
