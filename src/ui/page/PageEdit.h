#pragma once

#include "diary/PageText.h"

#include <QPalette>
#include <QPlainTextEdit>

namespace daylark {

/// The page view's editing control: a plain-text editor that wraps at its width and maps the
/// diary's bytes at its edge (see PageTextMapping.h). Positions given to and taken from the
/// core are byte offsets into text().
class PageEdit : public QPlainTextEdit, public PageText
{
    Q_OBJECT

public:
    explicit PageEdit(QWidget* parent = nullptr);

    std::string text() const override;
    void setText(std::string_view text) override;
    Selection selection() const override;
    void setSelection(std::size_t start, std::size_t end) override;
    std::string selectedText() const override;
    void replaceSelection(std::string_view text) override;
    void appendText(std::string_view text) override;
    bool readOnly() const override { return isReadOnly(); }
    void setReadOnly(bool readOnly) override;
    bool modified() const override;
    void setModified(bool modified) override;
    void setFont(const PageFont& font) override;
    /// Today's document waits, with its undo history, caret and scroll position, while a past
    /// day shows in a document of its own.
    void keepAside() override;
    bool takeBackKept(std::string_view text) override;

    /// A past day's page is tinted, so a filed page is never taken for today's.
    void showPastDay(bool past);

private:
    /// A document as the page shows it: its margin and the task box highlighting.
    QTextDocument* newPageDocument();

    QPalette m_todayPalette;
    /// Today's document while a past day shows; owned by this editor.
    QTextDocument* m_kept = nullptr;
    int m_keptAnchor = 0;
    int m_keptPosition = 0;
    int m_keptScroll = 0;
};

} // namespace daylark
