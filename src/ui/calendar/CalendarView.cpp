#include "ui/calendar/CalendarView.h"

#include "calendar/CCalendarDlg.h"
#include "calendar/CalendarDay.h"
#include "ui/calendar/ArrowButton.h"
#include "ui/calendar/CalendarCells.h"
#include "ui/platform/DialogButton.h"
#include "ui/window/WindowGeometry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace daylark {

namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A scroll bar that shows only its arrows rests in the middle of a range of three, so that
/// each arrow has somewhere to go.
constexpr int kBarRest = 1;

} // namespace

CalendarView::CalendarView(CCalendarDlg& logic, CalendarDoors doors, QWidget* parent)
    // A dialog (it stays above the main window, also when an alarm raises that) that can be
    // minimised and maximised.
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_logic(logic)
    , m_doors(std::move(doors))
    , m_cells(new CalendarCells(logic, this))
    , m_scrollTimer(new QTimer(this))
    , m_dayPopup(new QMenu(this))
{
    setObjectName("calendar");
    setWindowTitle(qText(CCalendarDlg::kTitle));
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(makeTopRow());
    layout->addLayout(makeDayNames());
    layout->addWidget(m_cells, 1);

    m_dayPopup->setObjectName("dayPopup");
    m_dayPopup->setTitle(qText(CCalendarDlg::kDayPopupTitle));
    QAction* notes = m_dayPopup->addAction(qText(CCalendarDlg::kNotes));
    notes->setObjectName("notes");
    connect(notes, &QAction::triggered, this,
            [this] { m_doors.notes(m_logic.chosenDay(), *this); });
    QAction* alarm = m_dayPopup->addAction(qText(CCalendarDlg::kAlarm));
    alarm->setObjectName("alarm");
    connect(alarm, &QAction::triggered, this, [this] {
        m_doors.alarm(m_logic.chosenDay(), *this);
        m_logic.Refresh(); // alarms added or changed show at once
        render();
    });

    m_scrollTimer->setObjectName("scrollTimer");
    m_scrollTimer->setSingleShot(true);
    m_scrollTimer->setInterval(CCalendarDlg::kScrollRefreshMilliseconds);

    connectControls();
    m_cells->setFocus();
    resize(760, 560);
    render();
}

QLayout* CalendarView::makeTopRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    QPushButton* ok = dialogButton(tr("&Ok"), "ok", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* lists = dialogButton(tr("&Lists"), "lists", this);
    connect(lists, &QPushButton::clicked, this, [this] { m_doors.lists(*this); });
    QPushButton* search = dialogButton(tr("&Search"), "search", this);
    connect(search, &QPushButton::clicked, this, [this] { m_doors.search(*this); });
    QPushButton* settings = dialogButton(tr("Se&ttings"), "settings", this);
    connect(settings, &QPushButton::clicked, this, &CalendarView::openSettings);
    for (QPushButton* button : {ok, lists, search, settings}) {
        row->addWidget(button);
    }
    row->addSpacing(10);

    // The four arrows touch, as one control.
    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(1);
    row->addLayout(arrows);
    const auto arrow = [this, arrows](Arrow which, const char* name, const QString& tip) {
        auto* button = new ArrowButton(which, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        arrows->addWidget(button);
        return button;
    };
    m_monthBack = arrow(Arrow::MonthBack, "monthBack", tr("Month back (Page Up)"));
    m_weekBack = arrow(Arrow::WeekBack, "weekBack", tr("Week back"));
    m_weekForward = arrow(Arrow::WeekForward, "weekForward", tr("Week forward"));
    m_monthForward = arrow(Arrow::MonthForward, "monthForward", tr("Month forward (Page Down)"));
    row->addSpacing(10);

    m_monthList = new QComboBox(this);
    m_monthList->setObjectName("monthList");
    m_monthList->setAccessibleName(tr("Month"));
    for (int month = 1; month <= 12; ++month) {
        m_monthList->addItem(QString::fromLatin1(longMonthName(month)));
    }
    row->addWidget(m_monthList);
    m_monthBar = makeScrollBar("monthBar", tr("Next or previous month"));
    row->addWidget(m_monthBar);
    row->addSpacing(10);

    m_year = new QLabel(qText(CCalendarDlg::kYearBeforeRefresh), this);
    m_year->setObjectName("year");
    m_year->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont yearFont = m_year->font();
    yearFont.setBold(true);
    m_year->setFont(yearFont);
    m_year->setMinimumWidth(m_year->fontMetrics().horizontalAdvance(QStringLiteral("-00000")));
    row->addWidget(m_year);
    m_yearBar = makeScrollBar("yearBar", tr("Next or previous year"));
    row->addWidget(m_yearBar);
    row->addStretch(1);
    return row;
}

QScrollBar* CalendarView::makeScrollBar(const char* name, const QString& tip)
{
    auto* bar = new QScrollBar(Qt::Vertical, this);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setToolTip(tip);
    bar->setAccessibleName(tip);
    bar->setRange(0, 2 * kBarRest);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(kBarRest);
    // Tall enough for its two arrows and no more, so no thumb shows.
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
    bar->setFixedHeight(2 * extent);
    connect(bar, &QScrollBar::actionTriggered, this,
            [this, bar](int action) { scrolled(bar, action); });
    return bar;
}

QLayout* CalendarView::makeDayNames()
{
    auto* names = new QGridLayout;
    names->setSpacing(0);
    for (int column = 0; column < monthgrid::kColumns; ++column) {
        auto* name = new QLabel(qText(CCalendarDlg::kDayNames[column]), this);
        name->setAlignment(Qt::AlignCenter);
        names->addWidget(name, 0, column);
        names->setColumnStretch(column, 1);
    }
    return names;
}

void CalendarView::connectControls()
{
    const auto step = [this](ArrowButton* button, void (CCalendarDlg::*action)()) {
        connect(button, &ArrowButton::clicked, this, [this, action] {
            (m_logic.*action)();
            render();
        });
    };
    step(m_monthBack, &CCalendarDlg::MonthBack);
    step(m_weekBack, &CCalendarDlg::WeekBack);
    step(m_weekForward, &CCalendarDlg::WeekForward);
    step(m_monthForward, &CCalendarDlg::MonthForward);
    connect(m_monthList, &QComboBox::activated, this, [this](int position) {
        m_logic.ChooseMonth(position);
        render();
    });
    connect(m_scrollTimer, &QTimer::timeout, this, [this] {
        m_logic.ScrollTimerFired();
        render();
    });
    connect(m_cells, &CalendarCells::gridMoved, this, &CalendarView::render);
    connect(m_cells, &CalendarCells::popupRequested, this, &CalendarView::openPopup);
}

void CalendarView::scrolled(QScrollBar* bar, int action)
{
    using monthgrid::ScrollCode;
    ScrollCode code = ScrollCode::EndScroll;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        code = ScrollCode::LineUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        code = ScrollCode::LineDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = ScrollCode::PageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = ScrollCode::PageDown;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = ScrollCode::Top;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = ScrollCode::Bottom;
        break;
    case QAbstractSlider::SliderMove:
        // The mouse wheel: up goes forward, as the up arrow does.
        code = bar->sliderPosition() < kBarRest   ? ScrollCode::LineUp
               : bar->sliderPosition() > kBarRest ? ScrollCode::LineDown
                                                  : ScrollCode::ThumbTrack;
        break;
    default:
        return;
    }
    m_logic.Scroll(bar == m_yearBar ? monthgrid::ScrollBar::Year : monthgrid::ScrollBar::Month,
                   code);
    if (m_logic.scrollTimerRunning()) {
        m_scrollTimer->start(); // a running timer starts again
    }
    // The bar goes back to rest once it has moved.
    QTimer::singleShot(0, bar, [bar] {
        const QSignalBlocker blocker(bar);
        bar->setValue(kBarRest);
    });
    render();
}

void CalendarView::openPopup(int index)
{
    const QPoint corner = m_cells->mapToGlobal(m_cells->cellRect(index).topLeft());
    // Enter picks the first item at once, as a click on it does.
    m_dayPopup->popup(corner, m_dayPopup->actions().value(0));
    m_dayPopup->setActiveAction(m_dayPopup->actions().value(0));
}

void CalendarView::openSettings()
{
    m_doors.settings(m_logic.colours(), *this);
    m_logic.SettingsClosed();
    m_cells->update();
}

void CalendarView::render()
{
    {
        const QSignalBlocker blocker(m_monthList);
        m_monthList->setCurrentIndex(m_logic.monthSelection());
    }
    m_year->setText(QString::fromStdString(m_logic.yearText()));
    m_cells->update();
}

void CalendarView::showAtPlacement()
{
    applyPlacement(*this, m_logic.placement());
    if (firstShowOf(m_logic.placement().showCommand, m_logic.placement().flags) ==
        FirstShow::Maximized) {
        showMaximized();
    } else {
        showNormal();
    }
}

void CalendarView::accept()
{
    m_scrollTimer->stop();
    m_logic.Ok(placementOf(*this));
    QDialog::accept();
}

void CalendarView::reject()
{
    m_scrollTimer->stop();
    m_logic.Cancel();
    QDialog::reject();
}

} // namespace daylark
