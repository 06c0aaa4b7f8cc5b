#include "ui/page/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

namespace daylark {

FindBar::FindBar(QPlainTextEdit& page, QWidget* parent)
    : QWidget(parent)
    , m_page(page)
    , m_edit(new QLineEdit(this))
    , m_result(new QLabel(this))
{
    setObjectName("findBar");
    m_edit->setObjectName("findEdit");
    m_edit->setPlaceholderText(tr("Find in the page"));
    m_edit->setClearButtonEnabled(true);
    m_result->setObjectName("findResult");

    auto* previous = new QToolButton(this);
    previous->setArrowType(Qt::UpArrow);
    previous->setToolTip(tr("Previous match (Shift+F3)"));
    auto* next = new QToolButton(this);
    next->setArrowType(Qt::DownArrow);
    next->setToolTip(tr("Next match (F3)"));
    auto* done = new QToolButton(this);
    done->setText(tr("Close"));
    done->setToolTip(tr("Close the find bar (Esc)"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(tr("Find:"), this));
    layout->addWidget(m_edit, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_result);
    layout->addWidget(done);

    connect(m_edit, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(m_edit, &QLineEdit::textEdited, this, [this] {
        // Typing searches from the start of the current match, so the match grows in place.
        QTextCursor cursor = m_page.textCursor();
        cursor.setPosition(cursor.selectionStart());
        m_page.setTextCursor(cursor);
        findNext();
    });
    connect(previous, &QToolButton::clicked, this, [this] { findNext(/*backward=*/true); });
    connect(next, &QToolButton::clicked, this, [this] { findNext(); });
    connect(done, &QToolButton::clicked, this, &FindBar::close);
    hide();
}

void FindBar::open()
{
    const QString selected = m_page.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) {
        m_edit->setText(selected);
    }
    show();
    m_edit->setFocus();
    m_edit->selectAll();
}

bool FindBar::findNext(bool backward)
{
    const QString text = m_edit->text();
    if (text.isEmpty()) {
        showFound(true);
        return false;
    }
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = m_page.find(text, flags);
    if (!found) {
        const QTextCursor keep = m_page.textCursor();
        QTextCursor wrap = keep;
        wrap.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        m_page.setTextCursor(wrap);
        found = m_page.find(text, flags);
        if (!found) {
            m_page.setTextCursor(keep);
        }
    }
    showFound(found);
    return found;
}

void FindBar::keyPressEvent(QKeyEvent* event)
{
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_F3:
        findNext(shift);
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void FindBar::close()
{
    hide();
    m_page.setFocus();
}

void FindBar::showFound(bool found)
{
    m_result->setText(found ? QString() : tr("Not found"));
    m_edit->setStyleSheet(found ? QString() : QStringLiteral("background: #f8d7da;"));
}

} // namespace daylark
