#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

class CDaylarkDoc;
class CDaylarkView;
class CPageArchive;
struct DisplayFlags;

/// The "Day View" dialog without its window: the text of one day and the steps day by day.
///
/// A day before the page's day shows the page filed for it in the year archive named by its
/// year, read-only (empty when none was filed); the archives it opens stay open, one per year,
/// until the dialog closes. The page's day (today) shows the page text itself, editable, and an
/// edit replaces it. A later day shows its future note, editable: writing a text adds a note,
/// changing it changes the note, emptying it removes the note; the notes are saved when the
/// dialog closes with OK and anything changed. Cancel drops every edit not yet committed and
/// every note change; Escape asks first when it would drop one. Edits are committed on every
/// step and on OK.
///
/// While the dialog is open the document's change of day is held: it holds today's text and
/// the future notes apart from the document, and filing under it would lose one side.
class CDayViewDlg
{
public:
    static constexpr std::string_view kTitle = "Day View";

    /// Where the shown day lies from the page's day.
    enum class DayKind { Past = 1, Today = 2, Future = 3 };

    /// All three must outlive the dialog; `view` is the main window's page view.
    CDayViewDlg(CDaylarkDoc& doc, CDaylarkView& view, const DisplayFlags& flags);
    /// Closes as Escape does when the dialog is still open.
    ~CDayViewDlg();
    CDayViewDlg(const CDayViewDlg&) = delete;
    CDayViewDlg& operator=(const CDayViewDlg&) = delete;

    /// Opens on the local day of `day`: the page view returns to today, the future notes are
    /// loaded with their changed flag cleared, the change of day is held and the day is shown.
    /// Nothing when the dialog is open already.
    void Open(std::int64_t day);
    /// The back button: commits, then shows the local calendar day before. Nothing when the
    /// button is disabled.
    void Back();
    /// The forward button: commits, then shows the local calendar day after. Nothing when the
    /// button is disabled.
    void Forward();
    /// The user edited the text box: its whole text. Ignored while the box is read-only.
    void EditText(std::string text);
    /// OK: commits, closes the year archives, saves the future notes when they changed and lets
    /// them go, releases the change of day. A failed save (its message shown) keeps the dialog
    /// open with the notes as they are and returns false. True when the dialog is not open.
    bool Ok();
    /// Ends without committing: closes the year archives and lets the future notes go unsaved;
    /// the text box is not committed. Releases the change of day.
    void Cancel();
    /// Escape or the close box. When something typed would be lost (the box's text is modified,
    /// or the notes have changed) it asks "Keep your changes?": Yes ends as OK does, No as
    /// Cancel does, Cancel returns to the dialog. Without a change it ends at once. True when
    /// the dialog has ended (a failed save after Yes keeps it open).
    bool Escape();

    bool isOpen() const { return m_open; }
    /// Local midnight of the shown day.
    std::int64_t day() const { return m_day; }
    DayKind kind() const { return m_kind; }
    /// The long date of the shown day, without the time.
    const std::string& title() const { return m_title; }
    /// The text box, lines separated as the diary stores them.
    const std::string& text() const { return m_text; }
    bool readOnly() const { return m_kind == DayKind::Past; }
    bool textModified() const { return m_textModified; }
    /// Goes up whenever the dialog puts a new text into the box (not when the user types).
    std::uint64_t textRevision() const { return m_textRevision; }
    /// A step button is disabled when the day it leads to cannot be stored in the files.
    bool canStepBack() const;
    bool canStepForward() const;
    /// The year archives the dialog has open.
    std::size_t openArchiveCount() const { return m_archives.size(); }

private:
    void show(bool backward);
    void showPastDay(bool backward);
    /// Puts the text box's text where the shown day keeps it when the box is modified.
    void commit();
    void commitNote();
    /// The archive named by the shown day's year, opened on first use; null when it does not
    /// exist or fails to open.
    CPageArchive* archiveForDay();
    void close();

    CDaylarkDoc& m_doc;
    CDaylarkView& m_view;
    const DisplayFlags& m_flags;

    bool m_open = false;
    std::int64_t m_day = 0;
    DayKind m_kind = DayKind::Today;
    std::string m_title;
    std::string m_text;
    bool m_textModified = false;
    std::uint64_t m_textRevision = 0;
    std::vector<std::unique_ptr<CPageArchive>> m_archives;
};

} // namespace daylark
