#include "ui/calendar/DayViewDialog.h"

#include "calendar/CDayViewDlg.h"
#include "ui/calendar/ArrowButton.h"
#include "ui/page/PageTextMapping.h"
#include "ui/page/PastDayPalette.h"
#include "ui/platform/DialogButton.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <functional>

namespace daylark {

namespace {

/// A key that works wherever the focus is in the dialog, the text box included.
void addShortcut(QDialog& dialog, const QKeySequence& keys, const std::function<void()>& action)
{
    auto* shortcut = new QShortcut(keys, &dialog);
    QObject::connect(shortcut, &QShortcut::activated, &dialog, action);
}

QString withKeys(const QString& tip, const QKeySequence& keys)
{
    return QStringLiteral("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText));
}

} // namespace

DayViewDialog::DayViewDialog(CDayViewDlg& logic, QWidget* parent)
    : QDialog(parent)
    , m_logic(logic)
{
    setObjectName("dayView");
    setSizeGripEnabled(true);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName("text");
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setTabChangesFocus(true); // Tab reaches the buttons; a page has no use for tabs
    m_todayPalette = m_text->palette();

    // The same keys step the main window's page from day to day.
    const QKeySequence backKeys(Qt::ALT | Qt::Key_Left);
    const QKeySequence forwardKeys(Qt::ALT | Qt::Key_Right);
    m_back = new ArrowButton(Arrow::WeekBack, this);
    m_back->setObjectName("back");
    m_back->setToolTip(withKeys(tr("Back one day"), backKeys));
    m_ok = dialogButton(tr("&OK"), "ok", this);
    m_ok->setDefault(true);
    m_ok->setFixedHeight(m_back->sizeHint().height());
    m_forward = new ArrowButton(Arrow::WeekForward, this);
    m_forward->setObjectName("forward");
    m_forward->setToolTip(withKeys(tr("Forward one day"), forwardKeys));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(480, 360);

    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_rendering) {
            m_logic.EditText(pageTextFromDisplay(m_text->toPlainText()));
        }
    });
    connect(m_back, &QAbstractButton::clicked, this, [this] { step(&CDayViewDlg::Back); });
    connect(m_forward, &QAbstractButton::clicked, this, [this] { step(&CDayViewDlg::Forward); });
    connect(m_ok, &QPushButton::clicked, this, &DayViewDialog::accept);
    addShortcut(*this, backKeys, [this] { step(&CDayViewDlg::Back); });
    addShortcut(*this, forwardKeys, [this] { step(&CDayViewDlg::Forward); });
    // Enter starts a new line in the box, so OK has a key of its own.
    addShortcut(*this, QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { accept(); });
    addShortcut(*this, QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { accept(); });

    m_shownRevision = m_logic.textRevision() - 1; // the first render fills the box
    render();
    m_text->setFocus();
}

DayViewDialog::~DayViewDialog()
{
    m_logic.Cancel();
}

void DayViewDialog::accept()
{
    if (!m_logic.Ok()) {
        render();
        return;
    }
    QDialog::accept();
}

void DayViewDialog::reject()
{
    // The close box comes here too, through QDialog::closeEvent.
    if (!m_logic.Escape()) {
        render();
        return;
    }
    QDialog::reject();
}

void DayViewDialog::step(void (CDayViewDlg::*action)())
{
    (m_logic.*action)();
    render();
}

void DayViewDialog::render()
{
    setWindowTitle(QString::fromStdString(m_logic.title()));
    const bool past = m_logic.readOnly();
    m_text->setReadOnly(past);
    if (past) {
        // A caret the arrow keys move, so a filed page can be read and copied by keyboard.
        m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    m_text->setPalette(past ? pastDayPalette(m_todayPalette) : m_todayPalette);
    if (m_shownRevision != m_logic.textRevision()) {
        m_shownRevision = m_logic.textRevision();
        m_rendering = true;
        m_text->setPlainText(displayTextFromPage(m_logic.text()));
        m_rendering = false;
    }
    m_back->setEnabled(m_logic.canStepBack());
    m_forward->setEnabled(m_logic.canStepForward());
}

} // namespace daylark
