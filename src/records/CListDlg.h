#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

class Clock;
class CTodoFile;
class MessageSink;
struct CDaylarkTodo;

/// The "List Management" dialog without its window: the names in the list box (sorted), the
/// selected entry, the name edit, the contents box with its modified mark, and one method per
/// user action. The lists, their changed flag and the file stay with the lists file object,
/// which the dialog loads when it opens and empties when it closes.
///
/// An entry of the list box stands for the first list of its name in file order, so two lists
/// of the same name (after a merge) both show, and edit, the first of them.
class CListDlg
{
public:
    static constexpr std::string_view kTitle = "List Management";
    static constexpr std::string_view kNewListName = "New List";

    /// All three must outlive the dialog; `messages` asks before Escape drops changes.
    CListDlg(CTodoFile& lists, const Clock& clock, MessageSink& messages);
    /// Lets the lists go unsaved when the dialog is still open.
    ~CListDlg();
    CListDlg(const CListDlg&) = delete;
    CListDlg& operator=(const CListDlg&) = delete;

    /// Dialog initialisation: loads the lists (a failure has shown its message; the dialog goes
    /// on with what was read), clears the changed flag, puts "New List" into the name edit,
    /// fills the list box and selects its first entry as a user pick would.
    void Open();

    /// The user edited the name edit.
    void setName(std::string name) { m_name = std::move(name); }
    /// The user edited the contents box: its whole text, lines separated by CR LF. Marks the
    /// box modified; nothing reaches the list before the next commit.
    void EditContents(std::string text);

    /// The user picked the entry at `index` of the list box (an index past the end is
    /// ignored): the contents box is committed to the current list, then the picked list is
    /// shown and becomes the current one.
    void SelectEntry(std::size_t index);
    /// Add (or Enter): makes a list of the name in the edit and shows it. An empty name, a
    /// name that a list has already (bytes, case matters) or a full lists file changes nothing.
    void Add();
    /// Delete: takes the selected list out without asking and shows the entry before it.
    /// Uncommitted edits of the contents box are dropped.
    void Delete();
    /// OK or the close box: commits the contents box, saves when anything changed, lets the
    /// lists go. A failed save (its message shown) keeps the dialog open with every edit and
    /// returns false. Nothing, and true, when the dialog is not open.
    bool Ok();
    /// Lets the lists go without saving; every change made in the dialog is dropped. Nothing
    /// when the dialog is not open.
    void Cancel();
    /// Escape: with a change made in the dialog (a list added, deleted or edited) asks whether
    /// to keep it: Yes works as OK, No as Cancel, Cancel keeps the dialog open. Without one it
    /// cancels at once. True when the dialog closed.
    bool Escape();

    bool isOpen() const { return m_open; }
    /// The list box, in its sorted order.
    const std::vector<std::string>& names() const { return m_names; }
    /// The selected entry of the list box; none when the box is empty.
    std::optional<std::size_t> selection() const { return m_selection; }
    const std::string& name() const { return m_name; }
    /// The text of the contents box, lines separated by CR LF.
    const std::string& contents() const { return m_contents; }
    bool contentsModified() const { return m_contentsModified; }
    /// Goes up whenever the dialog puts a new text into the contents box (not when the user
    /// types), so a window knows when to replace what it shows.
    std::uint64_t contentsRevision() const { return m_contentsRevision; }

private:
    /// Step 1 of every pick: commit, then show the list of the selected name.
    void selectionChange();
    /// Puts the contents box's text into the current list when the box is modified.
    void commit();
    void showContents(std::string text);
    /// Inserts `name` at its sorted place of the list box; returns that place.
    std::size_t insertName(std::string name);
    const std::string* selectedName() const;

    CTodoFile& m_lists;
    const Clock& m_clock;
    MessageSink& m_messages;

    bool m_open = false;
    /// A list was added or deleted, or a typed text reached a list, since the dialog opened.
    bool m_edited = false;
    std::vector<std::string> m_names;
    std::optional<std::size_t> m_selection;
    std::string m_name;
    std::string m_contents;
    bool m_contentsModified = false;
    std::uint64_t m_contentsRevision = 0;
    /// The list the contents box shows; the lists file keeps it alive while the dialog holds
    /// the lists.
    CDaylarkTodo* m_current = nullptr;
};

/// The list box's order: letters compared without regard to case; names that differ only in
/// case put the lower-case letter first.
bool listNameBefore(std::string_view a, std::string_view b);

} // namespace daylark
