#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace daylark {

class CDaylarkDoc;
struct DisplayFlags;

/// The page view's logic, apart from any window: stepping through the filed pages of past days
/// and back to today, and the view's own editing keys (F5 time stamp, F4 join).
///
/// It works on the document's page text. Showing today, the text is the current day's page
/// and editable. Browsing a past day, the text is that day's filed page (empty when none was
/// filed), read-only; the current day's text waits in the document's saved today text and the
/// year archives walked through stay open in the document's list until the view returns to
/// today. Navigation never changes the text's modified mark, so unsaved edits of the current
/// day stay marked while the user browses.
class CDaylarkView
{
public:
    /// What the Today command asks of the document after returning to today.
    struct DayFileChecks
    {
        /// Checks whether the current-day file changed on disk (the document's
        /// CheckDayFile(false)); true when it did.
        std::function<bool()> checkDayFile;
        /// Merges the changed file into the page and saves (the document's SaveModified).
        std::function<void()> saveModified;
    };

    /// `doc`, `flags` and whatever `checks` refers to must outlive the view. Missing checks
    /// make the Today command only return to today.
    CDaylarkView(CDaylarkDoc& doc, const DisplayFlags& flags, DayFileChecks checks = {});

    /// Steps one local calendar day back and shows that day's filed page, read-only. Leaving
    /// today, the current day's text is kept first.
    void BackwardDay();
    /// Steps one local calendar day forward; arriving at today brings back the current day's
    /// text exactly as it was left, editable, and closes the year archives. On today it does
    /// nothing.
    void ForwardDay();
    /// Shows today's page when the view shows another day.
    void GoToToday();
    /// Shows the local day of `date` as stepping back to it day by day would: its filed page
    /// (empty when none was filed), read-only, with the current day's text kept as BackwardDay
    /// keeps it; the steps from there go on from that day. A day that is not before the page
    /// date's day shows today's page.
    void ShowDay(std::int64_t date);
    /// The Today command: GoToToday, then takes up a current-day file that changed on disk.
    void TodayCommand();

    /// F5: replaces the selection (or inserts at the caret) with a stamp of the current time,
    /// "9:05 AM: " without either display flag, else the long date with the time. A read-only
    /// page is left alone.
    void InsertTimeStamp();
    /// F4: joins the selected lines (carriage returns dropped, line feeds made blanks), however
    /// long the selection. A read-only page is left alone.
    void JoinLines();

    /// The main window's title: the long date of the day on show.
    std::string caption() const;
    /// The view shows another day than the current day's page (read-only).
    bool showsPastDay() const;

private:
    /// Where the archive's search for the shown day starts.
    enum class SearchFrom {
        LastFound, ///< a step to the next day: the entry found last is close by
        End,       ///< a jump: the day may lie on either side of the entry found last
    };

    /// A shown date after the page date shows the current page: the document was loaded with
    /// an older page date while the view showed a later day. True when it put the view there.
    bool settleFutureShownDate();
    void showFiledPage(bool backward, SearchFrom from = SearchFrom::LastFound);
    void showToday();
    /// Sets the text without touching its modified mark: showing a filed page is no edit.
    void setTextKeepingMark(const std::string& text);

    CDaylarkDoc& m_doc;
    const DisplayFlags& m_flags;
    DayFileChecks m_checks;
};

} // namespace daylark
