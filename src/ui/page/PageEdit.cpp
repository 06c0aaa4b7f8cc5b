#include "ui/page/PageEdit.h"

#include "diary/PageFont.h"
#include "ui/page/PageFontConversion.h"
#include "ui/page/PageTextMapping.h"
#include "ui/page/PastDayPalette.h"
#include "ui/page/TaskHighlighter.h"

#include <QTextBlock>
#include <QTextCursor>

namespace daylark {

PageEdit::PageEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName("pageEdit");
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(8);
    new TaskHighlighter(document());
    m_todayPalette = palette();
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
