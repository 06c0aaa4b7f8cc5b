#include "ui/search/SearchDialogView.h"

#include "search/CSearchDlg.h"
#include "ui/platform/WaitCursor.h"
#include "ui/window/ToolbarIcons.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace daylark {

namespace {

/// A hit's line breaks (CR CR LF, or a page's own CR LF) as the text box shows them.
QString shownText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QLineEdit* numberEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new QIntValidator(edit));
    edit->setMaximumWidth(60);
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
    m_and = new QRadioButton(tr("and"), this);
    m_and->setObjectName("andButton");
    m_or = new QRadioButton(tr("or"), this);
    m_or->setObjectName("orButton");
    m_monthsBack = numberEdit("monthsBack", this);
    m_maxHits = numberEdit("maxHits", this);
    m_results = new QPlainTextEdit(this);
    m_results->setObjectName("results");
    m_results->setReadOnly(true);
    m_results->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_hits = new QLabel(this);
    m_hits->setObjectName("hits");
    m_older = pictureButton("olderHit", ToolbarPicture::BackwardDay, tr("Older hit"), this);
    m_newer = pictureButton("newerHit", ToolbarPicture::ForwardDay, tr("Newer hit"), this);
    auto* startButton = new QPushButton(tr("&Start"), this);
    startButton->setObjectName("startButton");
    startButton->setDefault(true);
    auto* doneButton = new QPushButton(tr("&Done"), this);
    doneButton->setObjectName("doneButton");
    doneButton->setAutoDefault(false);

    auto* terms = new QGridLayout;
    terms->addWidget(new QLabel(tr("Search for"), this), 0, 0);
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
    buttons->addStretch();
    terms->addLayout(buttons, 0, 2, 3, 1);

    auto* limits = new QHBoxLayout;
    limits->addWidget(new QLabel(tr("Hits"), this));
    limits->addWidget(m_hits);
    limits->addSpacing(12);
    limits->addWidget(new QLabel(tr("Months Back"), this));
    limits->addWidget(m_monthsBack);
    limits->addWidget(new QLabel(tr("Maximum Hits"), this));
    limits->addWidget(m_maxHits);
    limits->addStretch();
    auto* scan = new QVBoxLayout;
    scan->addWidget(new QLabel(tr("Scan Results"), this), 0, Qt::AlignHCenter);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(m_older);
    arrows->addWidget(m_newer);
    scan->addLayout(arrows);
    limits->addLayout(scan);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(terms);
    layout->addLayout(limits);
    layout->addWidget(m_results, 1);
    resize(520, 420);

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
    connect(m_older, &QPushButton::clicked, this, [this] {
        m_logic.OlderHit();
        render();
    });
    connect(m_newer, &QPushButton::clicked, this, [this] {
        m_logic.NewerHit();
        render();
    });

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

void SearchDialogView::reject()
{
    m_logic.Close();
    render();
    QDialog::reject();
}

void SearchDialogView::start()
{
    const WaitCursor busy;
    m_logic.Start([this] {
        m_results->setPlainText(shownText(m_logic.resultsText()));
        m_results->repaint();
    });
    render();
}

void SearchDialogView::render()
{
    m_results->setPlainText(shownText(m_logic.resultsText()));
    m_hits->setText(QString::fromStdString(m_logic.hitsText()));
    m_older->setEnabled(m_logic.olderEnabled());
    m_newer->setEnabled(m_logic.newerEnabled());
}

} // namespace daylark
