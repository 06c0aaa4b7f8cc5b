#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace daylark {

struct PageFont;

/// Where a page's text lives: the page view's editing control in the desktop program, a byte
/// buffer without a window. The document and the page view's logic work only through this.
///
/// Texts are byte strings with line breaks as the diary stores them (CR LF, CR CR LF).
/// Positions are byte offsets into text() as it returns it.
class PageText
{
public:
    /// A selection from `start` up to `end` (start <= end); start == end is the caret.
    struct Selection
    {
        std::size_t start = 0;
        std::size_t end = 0;
    };

    virtual ~PageText() = default;

    /// The whole text.
    virtual std::string text() const = 0;
    /// Replaces the whole text, also when read-only, and sets the modified mark as an edit by
    /// the user would. The caret goes to the start.
    virtual void setText(std::string_view text) = 0;

    virtual Selection selection() const = 0;
    /// Selects a range; positions past the end of the text are taken as the end.
    virtual void setSelection(std::size_t start, std::size_t end) = 0;
    virtual std::string selectedText() const = 0;
    /// Replaces the selection (inserts at the caret when it is empty) and leaves the caret
    /// after the new text; sets the modified mark.
    virtual void replaceSelection(std::string_view text) = 0;
    /// Adds `text` at the end, also when read-only, as one edit that a single undo takes back
    /// (the edits before it stay undoable), and leaves the caret after it; sets the modified
    /// mark.
    virtual void appendText(std::string_view text) = 0;

    /// A read-only text takes no edits from the user; the program still sets it.
    virtual bool readOnly() const = 0;
    virtual void setReadOnly(bool readOnly) = 0;

    /// Set by every change of the text, cleared by the document after loading and saving.
    virtual bool modified() const = 0;
    virtual void setModified(bool modified) = 0;

    /// The font the text is shown in.
    virtual void setFont(const PageFont& font) = 0;

    /// Today's text is about to give way to a past day's: an editor that can keep it as it
    /// stands (its undo history, its caret) sets it aside. Nothing by default.
    virtual void keepAside() {}
    /// Back to today: takes back what keepAside kept, when that still holds `text`, and is true;
    /// otherwise lets it go and is false, and the caller sets `text`. The modified mark is the
    /// caller's to set.
    virtual bool takeBackKept(std::string_view /*text*/) { return false; }
};

} // namespace daylark
