#pragma once

#include "search/TextSearch.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace daylark {

class CAlarmFile;
class CDaylarkDoc;
class CDaylarkView;
class CTodoFile;
struct DisplayFlags;

/// Where the search dialog was opened from.
enum class SearchOrigin {
    MainWindow,
    /// The calendar stays open under the search, so no hit can take the main window to its day.
    Calendar,
};

/// The "Search For Text" dialog without its window: the fields, the result list with its
/// cursor, and the state of the two picture buttons that step through the hits.
///
/// Open loads the lists and the alarms into the main window's file objects and opens the
/// document's year archive for reading; Close lets all three go. An alarm list that another
/// operation (the calendar) holds already is shared, not read again, and handed back as it was
/// found: the search never saves a list and never changes one.
///
/// Show Day leaves the dialog for the day of a page hit, which the main window then shows as
/// stepping back to it would.
class CSearchDlg
{
public:
    /// The fields the window may have to hand the focus to.
    enum class Field { MonthsBack, MaxHits };

    static constexpr std::string_view kTitle = "Search For Text";
    static constexpr std::string_view kSearching = "Searching...";
    static constexpr std::string_view kNotFound = "Text not Found...";
    static constexpr std::string_view kMonthsBackStart = "6";
    static constexpr std::string_view kMaxHitsStart = "40";
    /// The numbers Months Back and Maximum Hits take, as `daylark-cli search` takes them.
    static constexpr int kNumberMin = std::numeric_limits<int>::min();
    static constexpr int kNumberMax = std::numeric_limits<int>::max();

    /// All five must outlive the dialog.
    CSearchDlg(CDaylarkDoc& doc, CDaylarkView& view, CTodoFile& lists, CAlarmFile& alarms,
               const DisplayFlags& flags, SearchOrigin origin = SearchOrigin::MainWindow);
    /// Closes the dialog when it is still open.
    ~CSearchDlg();
    CSearchDlg(const CSearchDlg&) = delete;
    CSearchDlg& operator=(const CSearchDlg&) = delete;

    /// Dialog initialisation: the page view returns to today, both picture buttons are
    /// disabled, the document's year archive is opened for reading, the lists and the alarms
    /// are loaded (changed flags cleared), Months Back is 6, Maximum Hits 40, "and" is ticked.
    void Open();
    /// Done, Escape or the close box: the lists and alarms are let go unsaved, the archive is
    /// closed and the results are emptied. Safe to call twice.
    void Close();

    void setTerm1(std::string text) { m_term1 = std::move(text); }
    void setTerm2(std::string text) { m_term2 = std::move(text); }
    void setMonthsBack(std::string text) { m_monthsBack = std::move(text); }
    void setMaxHits(std::string text) { m_maxHits = std::move(text); }
    /// The "and" and "or" radio buttons.
    void ClickAnd() { m_combination = Combination::And; }
    void ClickOr() { m_combination = Combination::Or; }

    /// Start (or Enter): runs the search and shows its first hit, or "Text not Found...".
    /// `searching`, when given, is called once "Searching..." is the results text, so that a
    /// window can repaint before the search runs. A number field that holds anything but a
    /// whole number from kNumberMin to kNumberMax is refused with a message before anything
    /// else happens (refusedField() names it; the results stay as they were), so that no
    /// search quietly runs on other limits than the ones typed.
    void Start(const std::function<void()>& searching = {});
    /// The older-hit picture button; nothing while it is disabled.
    void OlderHit();
    /// The newer-hit picture button; nothing while it is disabled.
    void NewerHit();
    /// Show Day (or a double click on the hit): while a hit of a filed page is on show, closes
    /// the dialog and has the page view show that page's day, read-only; true when it did, so
    /// that the window closes too. A day that is not before the current page's day shows today.
    bool ShowDay();

    const std::string& term1() const { return m_term1; }
    const std::string& term2() const { return m_term2; }
    const std::string& monthsBack() const { return m_monthsBack; }
    const std::string& maxHits() const { return m_maxHits; }
    Combination combination() const { return m_combination; }
    /// The text of the results box.
    const std::string& resultsText() const { return m_resultsText; }
    /// The number shown next to "Hits".
    const std::string& hitsText() const { return m_hitsText; }
    bool olderEnabled() const { return m_olderEnabled; }
    bool newerEnabled() const { return m_newerEnabled; }
    /// Show Day: for a hit of a filed page, unless the dialog was opened from the calendar.
    bool showDayEnabled() const;
    /// The terms of the search whose hit is on show, to be marked in it; none while no hit is
    /// on show.
    std::vector<std::string> markedTerms() const;
    /// The number field the last Start refused.
    std::optional<Field> refusedField() const { return m_refusedField; }
    const std::vector<SearchHit>& results() const { return m_results; }
    bool isOpen() const { return m_open; }

private:
    enum class Direction { Older, Newer };

    /// The entry next to `at` toward older or newer hits; none past either end.
    std::optional<std::size_t> step(std::optional<std::size_t> at, Direction toward) const;
    /// Shows the next hit toward older or newer ones and updates both buttons.
    void moveHit(Direction toward);
    /// The year archive the page walk starts with, open for reading.
    CPageArchive& openDocumentArchive();
    /// Both number fields as numbers; nothing, with the message shown, when one is refused.
    std::optional<std::pair<int, int>> readNumberFields();
    void show(std::size_t hit);

    CDaylarkDoc& m_doc;
    CDaylarkView& m_view;
    CTodoFile& m_lists;
    CAlarmFile& m_alarms;
    const DisplayFlags& m_flags;
    const SearchOrigin m_origin;

    bool m_open = false;
    std::string m_term1;
    std::string m_term2;
    std::string m_monthsBack{kMonthsBackStart};
    std::string m_maxHits{kMaxHitsStart};
    Combination m_combination = Combination::And;
    std::string m_resultsText;
    std::string m_hitsText = "0";
    bool m_olderEnabled = false;
    bool m_newerEnabled = false;
    std::optional<Field> m_refusedField;

    std::vector<SearchHit> m_results;
    /// The hit on show; none while the results box shows a message.
    std::optional<std::size_t> m_shown;
    /// The non-empty terms of the search that found the results.
    std::vector<std::string> m_searchedTerms;
    /// The entry after the one shown, in the direction of the last move; none is the end.
    std::optional<std::size_t> m_cursor;
    Direction m_direction = Direction::Older;
};

/// A number field as the dialog (and `daylark-cli search`) reads it: a whole decimal number
/// from CSearchDlg::kNumberMin to kNumberMax, blanks around it and a plus sign allowed;
/// nothing for any other text.
std::optional<int> readNumberField(std::string_view text);
/// What a number field takes, as messages name it: "a whole number from ... to ...".
std::string numberFieldRule();

} // namespace daylark
