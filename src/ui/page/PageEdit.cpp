#include "ui/page/PageEdit.h"

#include "diary/PageFont.h"
#include "ui/page/PageFontConversion.h"
#include "ui/page/PageTextMapping.h"
#include "ui/page/PastDayPalette.h"
#include "ui/page/TaskHighlighter.h"

#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

namespace daylark {

PageEdit::PageEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName("pageEdit");
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The editor's own document would be deleted when another takes its place; a page document
    // belongs to the page, so today's can wait while a past day shows.
    document()->setParent(this);
    document()->setDocumentMargin(8);
    new TaskHighlighter(document());
    m_todayPalette = palette();
}

QTextDocument* PageEdit::newPageDocument()
{
    auto* page = new QTextDocument(this);
    page->setDocumentLayout(new QPlainTextDocumentLayout(page));
    page->setDocumentMargin(8);
    page->setDefaultFont(font());
    new TaskHighlighter(page);
    return page;
}

void PageEdit::keepAside()
{
    if (m_kept != nullptr) {
        return;
    }
    const QTextCursor cursor = textCursor();
    m_keptAnchor = cursor.anchor();
    m_keptPosition = cursor.position();
    m_keptScroll = verticalScrollBar()->value();
    m_kept = document();
    // The editor does not delete the document it lets go of.
    setDocument(newPageDocument());
}

bool PageEdit::takeBackKept(std::string_view text)
{
    QTextDocument* kept = std::exchange(m_kept, nullptr);
    if (kept == nullptr) {
        return false;
    }
    if (pageTextFromDisplay(kept->toPlainText()) != text) {
        kept->deleteLater(); // today's text changed meanwhile (a synchronisation)
        return false;
    }
    QTextDocument* past = document();
    kept->setDefaultFont(font()); // the font may have changed meanwhile
    setDocument(kept);
    past->deleteLater();
    QTextCursor cursor(kept);
    cursor.setPosition(m_keptAnchor);
    cursor.setPosition(m_keptPosition, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    verticalScrollBar()->setValue(m_keptScroll);
    return true;
}

std::string PageEdit::text() const
{
    return pageTextFromDisplay(toPlainText());
}

void PageEdit::setText(std::string_view text)
{
    setPlainText(displayTextFromPage(text));
    document()->setModified(true);
}

PageText::Selection PageEdit::selection() const
{
    const QString plain = toPlainText();
    const QTextCursor cursor = textCursor();
    return {pageOffsetOfDisplay(plain, cursor.selectionStart()),
            pageOffsetOfDisplay(plain, cursor.selectionEnd())};
}

void PageEdit::setSelection(std::size_t start, std::size_t end)
{
    const QString plain = toPlainText();
    QTextCursor cursor = textCursor();
    cursor.setPosition(static_cast<int>(displayPositionOfPage(plain, start)));
    cursor.setPosition(static_cast<int>(displayPositionOfPage(plain, end)),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

std::string PageEdit::selectedText() const
{
    return pageTextFromDisplay(textCursor().selectedText());
}

void PageEdit::replaceSelection(std::string_view text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(displayTextFromPage(text));
    setTextCursor(cursor);
}

void PageEdit::appendText(std::string_view text)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // One edit block: without it the insertion could merge with typing that ended at the same
    // place, and one undo would take both.
    cursor.beginEditBlock();
    cursor.insertText(displayTextFromPage(text));
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void PageEdit::setReadOnly(bool readOnly)
{
    QPlainTextEdit::setReadOnly(readOnly);
}

bool PageEdit::modified() const
{
    return document()->isModified();
}

void PageEdit::setModified(bool modified)
{
    document()->setModified(modified);
}

void PageEdit::setFont(const PageFont& font)
{
    QPlainTextEdit::setFont(qtFontOf(font));
}

void PageEdit::showPastDay(bool past)
{
    setPalette(past ? pastDayPalette(m_todayPalette) : m_todayPalette);
}

} // namespace daylark
