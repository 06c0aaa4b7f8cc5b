#include "search/CSearchDlg.h"

#include "alarms/CAlarmFile.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkView.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "records/CTodoFile.h"

#include <charconv>

namespace daylark {

CSearchDlg::CSearchDlg(CDaylarkDoc& doc, CDaylarkView& view, CTodoFile& lists, CAlarmFile& alarms,
                       const DisplayFlags& flags, SearchOrigin origin)
    : m_doc(doc)
    , m_view(view)
    , m_lists(lists)
    , m_alarms(alarms)
    , m_flags(flags)
    , m_origin(origin)
{}

CSearchDlg::~CSearchDlg()
{
    Close();
}

void CSearchDlg::Open()
{
    if (m_open) {
        return;
    }
    m_view.GoToToday();
    m_olderEnabled = false;
    m_newerEnabled = false;
    m_doc.pageArchive().Open(/*loading=*/true, /*create=*/false);
    // A list held already (the calendar holds the alarms) is shared: Load reuses it, and the
    // matching Empty in Close hands it back with its holder's changed flag.
    m_lists.Load();
    m_lists.setChanged(false);
    m_alarms.Load();
    m_alarms.setChanged(false);
    m_open = true;
    m_monthsBack = std::string(kMonthsBackStart);
    m_maxHits = std::string(kMaxHitsStart);
    m_combination = Combination::And;
}

void CSearchDlg::Close()
{
    if (!m_open) {
        return;
    }
    m_open = false;
    m_lists.Empty();
    m_alarms.Empty();
    m_doc.pageArchive().Close();
    m_results.clear();
    m_cursor.reset();
    m_shown.reset();
}

CPageArchive& CSearchDlg::openDocumentArchive()
{
    // A change of day while the dialog is open files the page through the document's archive,
    // which closes it (and may name the new year's): open it again so its pages are not
    // skipped.
    CPageArchive& archive = m_doc.pageArchive();
    if (!archive.isOpen()) {
        archive.Open(/*loading=*/true, /*create=*/false);
    }
    return archive;
}

std::optional<std::pair<int, int>> CSearchDlg::readNumberFields()
{
    const std::optional<int> monthsBack = readNumberField(m_monthsBack);
    const std::optional<int> maxHits = readNumberField(m_maxHits);
    m_refusedField = !monthsBack ? std::optional(Field::MonthsBack)
                     : !maxHits  ? std::optional(Field::MaxHits)
                                 : std::nullopt;
    if (m_refusedField) {
        const bool months = m_refusedField == Field::MonthsBack;
        const std::string field = months ? "Months Back" : "Maximum Hits";
        m_doc.messages().ask(field + " takes " + numberFieldRule() + ".", std::string(kTitle),
                             MessageIcon::Exclamation, MessageButtons::Ok);
        return std::nullopt;
    }
    return std::pair(*monthsBack, *maxHits);
}

void CSearchDlg::Start(const std::function<void()>& searching)
{
    const auto numbers = readNumberFields();
    if (!numbers) {
        return;
    }
    m_results.clear();
    m_cursor.reset();
    m_shown.reset();
    m_olderEnabled = false;
    m_newerEnabled = false;
    m_resultsText = std::string(kSearching);
    if (searching) {
        searching();
    }

    const SearchRequest request{m_term1, m_term2, m_combination, numbers->first, numbers->second};
    m_searchedTerms.clear();
    for (const std::string* term : {&m_term1, &m_term2}) {
        if (!term->empty()) {
            m_searchedTerms.push_back(*term);
        }
    }
    const Locations& locations = m_doc.locations();
    const SearchSources sources{
        openDocumentArchive(), breakDown(m_doc.pageDate(), /*greenwich=*/false).year,
        [&locations](int year) {
            return locations.dataDir().empty() ? std::string() : locations.archivePath(year);
        },
        m_lists.records(), m_alarms.records()};
    SearchResults found = searchText(request, sources, m_flags, m_doc.messages(), m_doc.clock());

    m_results = std::move(found.hits);
    m_hitsText = std::to_string(found.hitCount);
    if (m_results.empty()) {
        m_resultsText = std::string(kNotFound);
        return;
    }
    show(0);
    m_cursor = step(0, Direction::Older);
    m_direction = Direction::Older;
    m_olderEnabled = m_cursor.has_value();
}

void CSearchDlg::show(std::size_t hit)
{
    m_shown = hit;
    m_resultsText = m_results[hit].text;
}

bool CSearchDlg::showDayEnabled() const
{
    return m_origin == SearchOrigin::MainWindow && m_open && m_shown &&
           m_results[*m_shown].pageDate.has_value();
}

bool CSearchDlg::ShowDay()
{
    if (!showDayEnabled()) {
        return false;
    }
    const std::int64_t day = *m_results[*m_shown].pageDate;
    // Closed first: the view opens the day's archive for itself, and the dialog's archive
    // and lists must not outlive the dialog.
    Close();
    m_view.ShowDay(day);
    return true;
}

std::vector<std::string> CSearchDlg::markedTerms() const
{
    return m_shown ? m_searchedTerms : std::vector<std::string>();
}

std::optional<std::size_t> CSearchDlg::step(std::optional<std::size_t> at, Direction toward) const
{
    if (toward == Direction::Older) {
        const std::size_t next = at ? *at + 1 : 0; // from none: the first entry
        return next < m_results.size() ? std::optional(next) : std::nullopt;
    }
    if (!at) {
        // From none: the last entry.
        return m_results.empty() ? std::nullopt : std::optional(m_results.size() - 1);
    }
    return *at > 0 ? std::optional(*at - 1) : std::nullopt;
}

void CSearchDlg::OlderHit()
{
    moveHit(Direction::Older);
}

void CSearchDlg::NewerHit()
{
    moveHit(Direction::Newer);
}

void CSearchDlg::moveHit(Direction toward)
{
    const bool older = toward == Direction::Older;
    bool& onward = older ? m_olderEnabled : m_newerEnabled;
    bool& back = older ? m_newerEnabled : m_olderEnabled;
    if (!onward) {
        return;
    }
    if (m_direction != toward) {
        // The cursor points past the entry shown the other way: turn it round.
        m_direction = toward;
        m_cursor = step(step(m_cursor, toward), toward);
    }
    if (!m_cursor) {
        onward = false;
        return;
    }
    show(*m_cursor);
    m_cursor = step(m_cursor, toward);
    back = true;
    onward = m_cursor.has_value();
}

} // namespace daylark

std::optional<int> daylark::readNumberField(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(first);
    text.remove_suffix(text.size() - (text.find_last_not_of(' ') + 1));
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string daylark::numberFieldRule()
{
    return "a whole number from " + std::to_string(CSearchDlg::kNumberMin) + " to " +
           std::to_string(CSearchDlg::kNumberMax);
}
