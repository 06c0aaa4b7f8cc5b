#include "ui/search/SearchDialogView.h"

#include "search/CSearchDlg.h"
#include "ui/page/PageTextMapping.h"
#include "ui/platform/DialogButton.h"
#include "ui/platform/WaitCursor.h"
#include "ui/window/ToolbarIcons.h"

#include <QColor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <iterator>
#include <optional>

namespace daylark {

namespace {

QLineEdit* numberEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new QIntValidator(CSearchDlg::kNumberMin, CSearchDlg::kNumberMax, edit));
    edit->setMaximumWidth(90);
    return edit;
}

QPushButton* pictureButton(const char* name, ToolbarPicture picture, const QString& tip,
                           QWidget* parent)
{
    auto* button = new QPushButton(toolbarIcon(picture), QString(), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

QLabel* labelFor(const QString& caption, QWidget* field, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    return label;
}

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

/// Where `term` starts in `text` from `from` on, matched as the search matches: the ASCII
/// letters in either case, every other character only itself; -1 when nowhere.
qsizetype findTerm(const QString& text, const QString& term, qsizetype from)
{
    for (qsizetype at = from; at + term.size() <= text.size(); ++at) {
        qsizetype i = 0;
        while (i < term.size() &&
               foldAscii(text.at(at + i).unicode()) == foldAscii(term.at(i).unicode())) {
            ++i;
        }
        if (i == term.size()) {
            return at;
        }
    }
    return -1;
}

} // namespace

SearchDialogView::SearchDialogView(CSearchDlg& logic, QWidget* parent)
    : QDialog(parent)
    , m_logic(logic)
{
    setObjectName("searchDialog");
    setWindowTitle(
        QString::fromUtf8(CSearchDlg::kTitle.data(), qsizetype(CSearchDlg::kTitle.size())));

    m_term1 = new QLineEdit(this);
    m_term1->setObjectName("term1");
    m_term2 = new QLineEdit(this);
    m_term2->setObjectName("term2");
    m_and = new QRadioButton(tr("&and"), this);
    m_and->setObjectName("andButton");
    m_or = new QRadioButton(tr("&or"), this);
    m_or->setObjectName("orButton");
    m_monthsBack = numberEdit("monthsBack", this);
    m_maxHits = numberEdit("maxHits", this);
    m_results = new QPlainTextEdit(this);
    m_results->setObjectName("results");
    m_results->setReadOnly(true);
    m_results->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_results->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_results->viewport()->installEventFilter(this);
    m_hits = new QLabel(this);
    m_hits->setObjectName("hits");
    m_older = pictureButton("olderHit", ToolbarPicture::BackwardDay, tr("Older hit"), this);
    m_newer = pictureButton("newerHit", ToolbarPicture::ForwardDay, tr("Newer hit"), this);
    m_showDay = dialogButton(tr("Show &Day"), "showDayButton", this);
    m_showDay->setToolTip(tr("Show the day of this page in the main window"));
    auto* startButton = new QPushButton(tr("&Start"), this);
    startButton->setObjectName("startButton");
    startButton->setDefault(true);
    // Not "&Done": Alt+D is Show Day's, and Escape closes the dialog as well.
    auto* doneButton = dialogButton(tr("Do&ne"), "doneButton", this);

    buildLayout(startButton, doneButton);
    forwardUserActions(startButton, doneButton);

    m_logic.Open();
    m_term1->setText(QString::fromStdString(m_logic.term1()));
    m_term2->setText(QString::fromStdString(m_logic.term2()));
    m_monthsBack->setText(QString::fromStdString(m_logic.monthsBack()));
    m_maxHits->setText(QString::fromStdString(m_logic.maxHits()));
    m_and->setChecked(m_logic.combination() == Combination::And);
    m_or->setChecked(m_logic.combination() != Combination::And);
    m_term1->setFocus();
    render();
}

SearchDialogView::~SearchDialogView()
{
    m_logic.Close();
}

void SearchDialogView::buildLayout(QPushButton* startButton, QPushButton* doneButton)
{
    auto* terms = new QGridLayout;
    terms->addWidget(labelFor(tr("Search &for"), m_term1, this), 0, 0);
    terms->addWidget(m_term1, 0, 1);
    auto* combination = new QHBoxLayout;
    combination->addWidget(m_and);
    combination->addWidget(m_or);
    combination->addStretch();
    terms->addLayout(combination, 1, 1);
    terms->addWidget(m_term2, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(startButton);
    buttons->addWidget(doneButton);
    buttons->addWidget(m_showDay);
    buttons->addStretch();
    terms->addLayout(buttons, 0, 2, 3, 1);

    // "Hits" leads to the results box, where a hit can be read at length and copied.
    auto* limits = new QHBoxLayout;
    limits->addWidget(labelFor(tr("&Hits"), m_results, this));
    limits->addWidget(m_hits);
    limits->addSpacing(12);
    limits->addWidget(labelFor(tr("&Months Back"), m_monthsBack, this));
    limits->addWidget(m_monthsBack);
    limits->addWidget(labelFor(tr("Ma&ximum Hits"), m_maxHits, this));
    limits->addWidget(m_maxHits);
    limits->addStretch();
    auto* scan = new QVBoxLayout;
    scan->addWidget(labelFor(tr("Scan &Results"), m_older, this), 0, Qt::AlignHCenter);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(m_older);
    arrows->addWidget(m_newer);
    scan->addLayout(arrows);
    limits->addLayout(scan);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(terms);
    layout->addLayout(limits);
    layout->addWidget(m_results, 1);
    resize(560, 420);

    QWidget* const order[] = {m_term1,   m_and,        m_or,      m_term2, startButton, doneButton,
                              m_showDay, m_monthsBack, m_maxHits, m_older, m_newer,     m_results};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

void SearchDialogView::forwardUserActions(QPushButton* startButton, QPushButton* doneButton)
{
    connect(m_term1, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.setTerm1(text.toStdString()); });
    connect(m_term2, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.setTerm2(text.toStdString()); });
    connect(m_monthsBack, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.setMonthsBack(text.toStdString()); });
    connect(m_maxHits, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.setMaxHits(text.toStdString()); });
    connect(m_and, &QRadioButton::clicked, this, [this] { m_logic.ClickAnd(); });
    connect(m_or, &QRadioButton::clicked, this, [this] { m_logic.ClickOr(); });
    connect(startButton, &QPushButton::clicked, this, &SearchDialogView::start);
    connect(doneButton, &QPushButton::clicked, this, &SearchDialogView::reject);
    connect(m_showDay, &QPushButton::clicked, this, &SearchDialogView::showDay);
    connect(m_older, &QPushButton::clicked, this, [this] {
        m_logic.OlderHit();
        render();
    });
    connect(m_newer, &QPushButton::clicked, this, [this] {
        m_logic.NewerHit();
        render();
    });
}

void SearchDialogView::reject()
{
    m_logic.Close();
    render();
    QDialog::reject();
}

bool SearchDialogView::eventFilter(QObject* watched, QEvent* event)
{
    // A double click on a page hit shows its day; anywhere else it selects a word as usual.
    if (watched == m_results->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        m_logic.showDayEnabled()) {
        showDay();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SearchDialogView::start()
{
    // The wait cursor only from the search on: a refused number shows its box first.
    std::optional<WaitCursor> busy;
    m_logic.Start([this, &busy] {
        busy.emplace();
        m_results->setPlainText(displayTextFromPage(m_logic.resultsText()));
        m_results->repaint();
    });
    render();
    if (const auto refused = m_logic.refusedField()) {
        QLineEdit* field = *refused == CSearchDlg::Field::MonthsBack ? m_monthsBack : m_maxHits;
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

void SearchDialogView::showDay()
{
    if (m_logic.ShowDay()) {
        accept();
    }
}

void SearchDialogView::render()
{
    m_results->setPlainText(displayTextFromPage(m_logic.resultsText()));
    markTerms();
    m_hits->setText(QString::fromStdString(m_logic.hitsText()));
    m_older->setEnabled(m_logic.olderEnabled());
    m_newer->setEnabled(m_logic.newerEnabled());
    m_showDay->setEnabled(m_logic.showDayEnabled());
}

void SearchDialogView::markTerms()
{
    // The hit is shown decoded, so both spellings of a term read as the same characters here.
    const QString shown = m_results->toPlainText();
    QTextCharFormat format;
    format.setBackground(QColor(0xff, 0xd8, 0x4d));
    format.setForeground(Qt::black);
    QList<QTextEdit::ExtraSelection> marks;
    for (const std::string& term : m_logic.markedTerms()) {
        const QString wanted = displayTextFromPage(term);
        if (wanted.isEmpty()) {
            continue;
        }
        for (qsizetype at = findTerm(shown, wanted, 0); at >= 0;
             at = findTerm(shown, wanted, at + wanted.size())) {
            QTextCursor cursor(m_results->document());
            cursor.setPosition(int(at));
            cursor.setPosition(int(at + wanted.size()), QTextCursor::KeepAnchor);
            marks.append({cursor, format});
        }
    }
    m_results->setExtraSelections(marks);
}

} // namespace daylark
