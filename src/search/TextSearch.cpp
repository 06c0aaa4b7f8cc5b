#include "search/TextSearch.h"

#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/TimeText.h"
#include "search/PageWalk.h"

#include <algorithm>
#include <limits>

namespace daylark {

namespace {

constexpr std::string_view kBufferFullLine = "The Buffers' maximum size has been reached";
constexpr std::string_view kNarrowLine = "Try limiting your search criteria";

/// The hits of one search with their running count and length.
class HitList
{
public:
    explicit HitList(int maxHits)
        : m_maxHits(maxHits)
    {}

    /// Counts a hit and keeps it, with its page's date for a page hit; false when it passed the
    /// buffer limit (it is kept with the two message lines, and the search must end).
    bool add(std::string text, std::optional<std::int64_t> pageDate = std::nullopt)
    {
        ++m_results.hitCount;
        m_total += text.size();
        if (m_total > kBufferLimit) {
            text.append(kHitLineBreak).append(kBufferFullLine);
            text.append(kHitLineBreak).append(kNarrowLine);
            m_results.hits.push_back({std::move(text), pageDate});
            m_results.bufferFull = true;
            return false;
        }
        m_results.hits.push_back({std::move(text), pageDate});
        return true;
    }
    bool full() const { return m_results.hitCount >= m_maxHits; }
    SearchResults take() { return std::move(m_results); }

private:
    const int m_maxHits;
    std::size_t m_total = 0;
    SearchResults m_results;
};

std::string concat(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (const std::string_view part : parts) {
        size += part.size();
    }
    std::string text;
    text.reserve(size);
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

/// The pages part; false when the buffer limit ended the search.
bool searchPages(PageWalk& walk, const DisplayFlags& flags, HitList& hits)
{
    while (const auto page = walk.next()) {
        if (page->matched) {
            const std::string date = FormatDate(page->date, /*withTime=*/false, flags);
            if (!hits.add(concat({"PAGE: ", date, kHitLineBreak, page->text}), page->date)) {
                return false;
            }
        }
        if (hits.full() || page->last) {
            break;
        }
    }
    return true;
}

bool searchLists(const SearchTerms& terms, const std::vector<std::unique_ptr<CDaylarkTodo>>& lists,
                 const DisplayFlags& flags, HitList& hits)
{
    for (const auto& list : lists) {
        if (hits.full()) {
            break;
        }
        if (!terms.matches(list->Contents)) {
            continue;
        }
        const std::string changed = FormatDate(list->LastChanged, /*withTime=*/true, flags);
        if (!hits.add(concat({"LIST: ", list->Name, kHitLineBreak, " Last changed: ", changed,
                              kHitLineBreak, list->Contents}))) {
            return false;
        }
    }
    return true;
}

void searchAlarms(const SearchTerms& terms,
                  const std::vector<std::unique_ptr<CDaylarkAlarm>>& alarms,
                  const DisplayFlags& flags, HitList& hits)
{
    for (const auto& alarm : alarms) {
        if (hits.full()) {
            break;
        }
        if (!terms.matches(alarm->Name)) {
            continue;
        }
        const std::string at = FormatDate(alarm->Time, /*withTime=*/true, flags);
        if (!hits.add(concat({"ALARM: ", alarm->Name, kHitLineBreak, " At: ", at}))) {
            return;
        }
    }
}

} // namespace

SearchTerms::SearchTerms(std::string_view term1, std::string_view term2, Combination combination)
    : m_term1(term1)
    , m_term2(term2)
    , m_combination(combination)
{}

bool SearchTerms::matches(std::string_view text) const
{
    if (m_term2.empty()) {
        return m_term1.foundIn(text);
    }
    if (m_combination == Combination::And) {
        return m_term1.foundIn(text) && m_term2.foundIn(text);
    }
    return m_term1.foundIn(text) || m_term2.foundIn(text);
}

} // namespace daylark

std::int64_t daylark::searchLimit(std::int64_t now, int monthsBack)
{
    // Every page date is a stored (32-bit) time: a limit beyond them all acts as the last one
    // that can be stored, and no months back can overflow.
    const std::int64_t limit = now - static_cast<std::int64_t>(monthsBack) * kSecondsPerMonth;
    return std::clamp<std::int64_t>(limit, std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max());
}

daylark::SearchResults daylark::searchText(const SearchRequest& request,
                                           const SearchSources& sources, const DisplayFlags& flags,
                                           MessageSink& messages, const Clock& clock)
{
    const SearchTerms terms(request.term1, request.term2, request.combination);
    const std::int64_t limit = searchLimit(clock.now(), request.monthsBack);
    HitList hits(request.maxHits);
    // The walk hands on only the pages that match and the one that ends it; with no hits
    // wanted, the newest page is still tested and ends it.
    PageFilter filter{[&terms](std::string_view text) { return terms.matches(text); },
                      localDayNumber(limit), limit, hits.full()};
    const WalkBudget budget{static_cast<std::size_t>(std::max(request.maxHits, 1)),
                            kBufferLimit + 1};
    PageWalk walk(sources.firstArchive, sources.firstYear, sources.archivePath,
                  breakDown(limit, /*greenwich=*/false).year, std::move(filter), budget,
                  sources.reading, messages, clock);
    if (searchPages(walk, flags, hits) && searchLists(terms, sources.lists, flags, hits)) {
        searchAlarms(terms, sources.alarms, flags, hits);
    }
    return hits.take();
}
