#include "ui/calendar/CalendarView.h"

#include "alarms/CAlarmFile.h"
#include "calendar/CCalendarDlg.h"
#include "platform/LocalTime.h"
#include "support/DataSetTestFiles.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"
#include "ui/calendar/ArrowButton.h"
#include "ui/calendar/CalendarCells.h"
#include "ui/platform/ColourRef.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace daylark {

using test::child;

namespace {

/// A calendar opened on Wednesday 20 March 2024 (grid 25 February to 6 April), with a weekly
/// alarm on Tuesdays, and the doors it was asked to open.
struct Calendar
{
    Calendar()
    {
        alarms.add(std::make_unique<CDaylarkAlarm>(
            test::alarm("Gym", "2024-01-02 18:00", Frequency::Weekly)));
        logic.Open();
        doors.lists = [this](QWidget&) { opened << "lists"; };
        doors.search = [this](QWidget&) { opened << "search"; };
        doors.settings = [this](CalendarColours& colours, QWidget&) {
            opened << "settings";
            colours.today = 0x000000FF; // red
        };
        doors.notes = [this](std::int64_t day, QWidget&) { notesDays.push_back(day); };
        doors.alarm = [this](std::int64_t day, QWidget&) { // as the alarm dialog adds one
            auto party = std::make_unique<CDaylarkAlarm>();
            party->Name = "Party";
            party->Time = day + 20 * 3600;
            alarms.add(std::move(party));
        };
    }

    /// The colour painted in the lower right part of cell `index`, away from its texts.
    QColor fillOf(CalendarCells& cells, int index)
    {
        const QImage image = cells.grab().toImage();
        const QRect rect = cells.cellRect(index);
        return image.pixelColor(rect.right() - 4, rect.bottom() - 4);
    }

    test::ScopedTimeZone zone{test::kEastern};
    test::TempDir dir;
    test::RecordingSink sink;
    test::FixedClock clock{makeLocalTime(2024, 3, 20, 9, 30)};
    CAlarmFile alarms{dir.file("daylark.alm"), sink};
    CalendarColours colours;
    WindowPlacement placement = WindowPlacement::calendarDefault();
    CCalendarDlg logic{alarms, colours, placement, clock};
    CalendarDoors doors;
    QStringList opened;
    std::vector<std::int64_t> notesDays;
};

} // namespace

class CalendarViewTest : public QObject
{
    Q_OBJECT

private slots:
    void movesByButtonsAndKeysAndPaintsTheCells()
    {
        Calendar c;
        CalendarView view(c.logic, c.doors);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* cells = child<CalendarCells>(view, "cells");
        auto* year = child<QLabel>(view, "year");
        auto* months = child<QComboBox>(view, "monthList");
        QCOMPARE(view.windowTitle(), QString("Calendar"));
        QCOMPARE(year->text(), QString("2024"));
        QCOMPARE(months->currentText(), QString("March"));
        QCOMPARE(c.fillOf(*cells, 24), qColorOfColourRef(CalendarColours{}.today));
        QCOMPARE(c.fillOf(*cells, 23), qColorOfColourRef(CalendarColours{}.currentMonth));
        QCOMPARE(c.fillOf(*cells, 0), qColorOfColourRef(CalendarColours{}.notCurrentMonth));
        QCOMPARE(c.logic.cell(23).alarmNames, std::vector<std::string>{"Gym"});

        QTest::mouseClick(child<ArrowButton>(view, "monthForward"), Qt::LeftButton);
        QCOMPARE(months->currentText(), QString("April"));
        QCOMPARE(c.logic.cell(0).date, (CalendarDate{2024, 3, 31}));
        QCOMPARE(c.fillOf(*cells, 0), qColorOfColourRef(CalendarColours{}.notCurrentMonth));
        QTest::mouseClick(child<ArrowButton>(view, "weekBack"), Qt::LeftButton);
        QCOMPARE(c.logic.cell(0).date, (CalendarDate{2024, 3, 24}));
        QCOMPARE(c.fillOf(*cells, 7), qColorOfColourRef(CalendarColours{}.notCurrentMonth));
        QCOMPARE(c.fillOf(*cells, 8), qColorOfColourRef(CalendarColours{}.currentMonth));
        months->activated(11); // the user picks December
        QCOMPARE(c.logic.cell(monthgrid::kCells - 1).date, (CalendarDate{2025, 1, 11}));
        QCOMPARE(c.logic.cell(24).text, std::string("Christmas!"));
        QCOMPARE(c.fillOf(*cells, 24), qColorOfColourRef(CalendarColours{}.holiday));

        // The keyboard: Home, arrows past the bottom edge step a week, Page Down a month.
        cells->setFocus();
        QTest::keyClick(cells, Qt::Key_Home);
        QCOMPARE(months->currentText(), QString("March"));
        QCOMPARE(c.logic.focusIndex(), 24);
        for (int down = 0; down < 3; ++down) {
            QTest::keyClick(cells, Qt::Key_Down);
        }
        QCOMPARE(c.logic.cell(0).date, (CalendarDate{2024, 3, 3}));
        QCOMPARE(c.logic.focusIndex(), 38); // 10 April, bottom row
        // The grid shows April now: the next month is May.
        QTest::keyClick(cells, Qt::Key_PageDown);
        QCOMPARE(months->currentText(), QString("May"));
        QTest::keyClick(cells, Qt::Key_PageUp);
        QTest::keyClick(cells, Qt::Key_PageUp);
        QCOMPARE(months->currentText(), QString("March"));
        QCOMPARE(year->text(), QString("2024"));

        // Enter opens the focused day's pop-up; its Notes opens the day view on that day.
        QTest::keyClick(cells, Qt::Key_Return);
        QTRY_VERIFY(view.dayPopup().isVisible());
        QCOMPARE(view.dayPopup().title(), QString("Calendar Day"));
        view.dayPopup().actions().value(0)->trigger();
        QCOMPARE(c.notesDays, std::vector<std::int64_t>{makeLocalTime(2024, 3, 10)});
        view.dayPopup().close();
        // An alarm set through the pop-up shows at once.
        child<QAction>(view, "alarm")->trigger();
        QCOMPARE(c.logic.cell(c.logic.focusIndex()).alarmNames, std::vector<std::string>{"Party"});

        // The settings change the calendar's colours, and the main window's when they close.
        child<QPushButton>(view, "settings")->click();
        QCOMPARE(c.opened, QStringList{"settings"});
        QCOMPARE(c.colours.today, 0x000000FFu);
    }

    void scrollsRefreshOnceAndOnlyOkKeepsThePlacement()
    {
        Calendar c;
        CalendarView view(c.logic, c.doors);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* yearBar = child<QScrollBar>(view, "yearBar");
        auto* timer = child<QTimer>(view, "scrollTimer");
        const std::uint64_t refreshes = c.logic.refreshCount();
        for (int click = 0; click < 3; ++click) {
            yearBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        }
        QCOMPARE(child<QLabel>(view, "year")->text(), QString("2027"));
        QCOMPARE(c.logic.refreshCount(), refreshes);
        QVERIFY(timer->isActive());
        timer->setInterval(1);
        timer->start();
        QTRY_COMPARE(c.logic.refreshCount(), refreshes + 1);
        QTRY_COMPARE(yearBar->value(), 1); // back at rest, ready for the next click

        view.move(40, 30);
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(c.placement, WindowPlacement::calendarDefault());
        QVERIFY(c.logic.cell(23).alarmNames.empty()); // the alarm copies went

        CCalendarDlg again(c.alarms, c.colours, c.placement, c.clock);
        again.Open();
        CalendarView second(again, c.doors);
        second.showAtPlacement();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        QVERIFY(second.isMaximized()); // the first calendar opens maximised
        second.showNormal();
        second.resize(900, 640);
        QTest::mouseClick(child<QWidget>(second, "ok"), Qt::LeftButton);
        QCOMPARE(c.placement.showCommand, WindowPlacement::kShowNormal);
        QCOMPARE(c.placement.right - c.placement.left, 900);
    }
};

} // namespace daylark

QTEST_MAIN(daylark::CalendarViewTest)
#include "CalendarViewTest.moc"
