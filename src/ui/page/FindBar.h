#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace daylark {

/// Ctrl+F: a bar under the page that finds text in it, as it is typed. Enter and F3 find the
/// next match, Shift+F3 the previous one; the search wraps around the page. Escape closes the
/// bar and gives the page the focus back.
class FindBar : public QWidget
{
    Q_OBJECT

public:
    FindBar(QPlainTextEdit& page, QWidget* parent = nullptr);

    /// Shows the bar with the page's selection (when it is on one line) as the text to find.
    void open();
    /// Finds the next (or previous) match from the page's caret; false when there is none.
    bool findNext(bool backward = false);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void close();
    void showFound(bool found);

    QPlainTextEdit& m_page;
    QLineEdit* m_edit = nullptr;
    QLabel* m_result = nullptr;
};

} // namespace daylark
