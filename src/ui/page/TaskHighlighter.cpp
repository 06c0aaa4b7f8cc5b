#include "ui/page/TaskHighlighter.h"

#include "diary/TaskBox.h"

#include <QGuiApplication>
#include <QPalette>

namespace daylark {

TaskHighlighter::TaskHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document)
{}

void TaskHighlighter::highlightBlock(const QString& text)
{
    // The box and the blanks before it are ASCII: byte offsets are character offsets there.
    const TaskBox box = FindTaskBox(text.toStdString());
    if (box.state == TaskBox::State::None) {
        return;
    }
    const int start = int(box.start);
    const int length = int(box.end - box.start);
    QTextCharFormat boxFormat;
    boxFormat.setFontWeight(QFont::Bold);
    if (box.state == TaskBox::State::Open) {
        boxFormat.setForeground(QColor(0x15, 0x65, 0xc0));
        setFormat(start, length, boxFormat);
        return;
    }
    const QPalette palette = QGuiApplication::palette();
    QTextCharFormat done;
    done.setForeground(palette.color(QPalette::PlaceholderText));
    setFormat(0, int(text.size()), done);
    boxFormat.setForeground(QColor(0x2e, 0x7d, 0x32));
    setFormat(start, length, boxFormat);
}

} // namespace daylark
