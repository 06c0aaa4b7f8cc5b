#include "ui/PageEdit.h"

#include "diary/PageFont.h"
#include "ui/PageTextMapping.h"
#include "ui/TaskHighlighter.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>

#include <cmath>

namespace daylark {

namespace {

/// The page font's height is in pixels at 96 dpi (negative: character height; a positive
/// value is read the same way); 0 keeps the default size.
QFont qtFontOf(const PageFont& page)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!page.FaceName.empty()) {
        font.setFamilies({QString::fromStdString(page.FaceName)});
    }
    if (page.Height != 0) {
        const double points = std::abs(static_cast<double>(page.Height)) * 72.0 / 96.0;
        font.setPointSizeF(points);
    }
    if (page.Weight >= 100 && page.Weight <= 900) {
        font.setWeight(static_cast<QFont::Weight>(page.Weight));
    }
    font.setItalic(page.Italic != 0);
    font.setUnderline(page.Underline != 0);
    font.setStrikeOut(page.StrikeOut != 0);
    return font;
}

} // namespace

PageEdit::PageEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName("pageEdit");
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(8);
    new TaskHighlighter(document());
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

} // namespace daylark
