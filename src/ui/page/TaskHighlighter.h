#pragma once

#include <QSyntaxHighlighter>

namespace daylark {

/// Shows the task lines of a page at a glance: an open task's box in bold colour, a done
/// task's line greyed. Which lines are tasks is the diary's rule (FindTaskBox).
class TaskHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit TaskHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;
};

} // namespace daylark
