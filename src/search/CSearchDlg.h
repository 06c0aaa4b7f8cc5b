#pragma once

#include "search/TextSearch.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

class CAlarmFile;
class CDaylarkDoc;
class CDaylarkView;
class CTodoFile;
struct DisplayFlags;

/// The "Search For Text" dialog without its window: the fields, the result list with its
/// cursor, and the state of the two picture buttons that step through the hits.
///
/// Open loads the lists and the alarms into the main window's file objects and opens the
/// document's year archive for reading; Close lets all three go. An alarm list that another
/// operation (the calendar) holds already is shared, not read again, and handed back as it was
/// found: the search never saves a list and never changes one.
class CSearchDlg
{
public:
    static constexpr std::string_view kTitle = "Search For Text";
    static constexpr std::string_view kSearching = "Searching...";
    static constexpr std::string_view kNotFound = "Text not Found...";
    static constexpr std::string_view kMonthsBackStart = "6";
    static constexpr std::string_view kMaxHitsStart = "40";

    /// All five must outlive the dialog.
    CSearchDlg(CDaylarkDoc& doc, CDaylarkView& view, CTodoFile& lists, CAlarmFile& alarms,
               const DisplayFlags& flags);
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
    /// window can repaint before the search runs.
    void Start(const std::function<void()>& searching = {});
    /// The older-hit picture button; nothing while it is disabled.
    void OlderHit();
    /// The newer-hit picture button; nothing while it is disabled.
    void NewerHit();

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
    const std::vector<std::string>& results() const { return m_results; }
    bool isOpen() const { return m_open; }

private:
    enum class Direction { Older, Newer };

    /// The entry next to `at` toward older or newer hits; none past either end.
    std::optional<std::size_t> step(std::optional<std::size_t> at, Direction toward) const;
    /// Shows the next hit toward older or newer ones and updates both buttons.
    void moveHit(Direction toward);
    /// The year archive the page walk starts with, open for reading.
    CPageArchive& openDocumentArchive();

    CDaylarkDoc& m_doc;
    CDaylarkView& m_view;
    CTodoFile& m_lists;
    CAlarmFile& m_alarms;
    const DisplayFlags& m_flags;

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

    std::vector<std::string> m_results;
    /// The entry after the one shown, in the direction of the last move; none is the end.
    std::optional<std::size_t> m_cursor;
    Direction m_direction = Direction::Older;
};

/// A number field as the dialog reads it: a signed decimal number, blanks around it allowed;
/// any other text (or a number out of range) reads as 0.
int readNumberField(std::string_view text);

} // namespace daylark
