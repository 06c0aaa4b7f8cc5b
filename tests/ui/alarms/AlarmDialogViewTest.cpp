#include "ui/alarms/AlarmDialogView.h"

#include "alarms/CAlarmDlg.h"
#include "app/DaylarkApp.h"
#include "platform/LocalTime.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace daylark {

using test::child;

namespace {

/// The program's core at 14:05 on Monday 3 March 1997, with the alarm file loaded and one daily
/// alarm at 9:30 whose name was filed as Windows-1252 bytes.
struct AlarmData
{
    AlarmData()
    {
        app.start();
        alarms().Load();
        auto cafe = std::make_unique<CDaylarkAlarm>();
        cafe->Name = "Caf\xE9";
        cafe->Time = makeLocalTime(1997, 3, 1, 9, 30);
        cafe->Frequency = static_cast<std::int16_t>(Frequency::Daily);
        alarms().add(std::move(cafe));
    }

    CAlarmFile& alarms() { return app.frame().alarmFile(); }

    test::ScopedTimeZone zone{test::kEastern};
    test::TempDir dir;
    test::RecordingSink sink;
    test::FixedClock clock{makeLocalTime(1997, 3, 3, 14, 5)};
    DaylarkApp app{Locations::resolve({dir.file("data"), dir.file("daylark.ini"), {}},
                                      [](const char*) -> const char* { return nullptr; }),
                   sink, clock};
};

bool showAndActivate(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void retype(QLineEdit* edit, const char* text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class AlarmDialogViewTest : public QObject
{
    Q_OBJECT

private slots:
    void enterAddsATypedNameAndAppliesToAPickedLine()
    {
        AlarmData data;
        CAlarmDlg logic(data.alarms(), *data.app.doc().alarmSchedule(), data.clock,
                        data.app.frame().displayFlags(), data.sink);
        logic.Open(data.clock.now());
        AlarmDialogView view(logic);
        QVERIFY(showAndActivate(view));
        auto* list = child<QListWidget>(view, "alarms");
        auto* name = child<QLineEdit>(view, "name");
        auto* hour = child<QLineEdit>(view, "hour");
        auto* minute = child<QLineEdit>(view, "minute");
        auto* add = child<QPushButton>(view, "add");
        auto* apply = child<QPushButton>(view, "apply");
        const QString cafe = QString::fromUtf8("Caf\xC3\xA9");

        QCOMPARE(list->count(), 1);
        QVERIFY2(list->item(0)->text().endsWith(cafe), qPrintable(list->item(0)->text()));
        QVERIFY(list->selectedItems().isEmpty());
        QVERIFY(name->hasFocus());
        QCOMPARE(name->selectedText(), QString("Alarm Name"));
        QCOMPARE(hour->text() + ":" + minute->text(), QString("2:5"));
        QVERIFY(child<QRadioButton>(view, "pm")->isChecked());
        QVERIFY(child<QRadioButton>(view, "frequency0")->isChecked());
        QVERIFY(add->isDefault() && !apply->isDefault());

        // A typed name replaces the selected one, and Enter adds it at the shown time.
        QTest::keyClicks(name, "Vet");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(data.alarms().records().size(), size_t(2));
        const CDaylarkAlarm& vet = *data.alarms().records()[1];
        QCOMPARE(vet.Name, std::string("Vet"));
        QCOMPARE(vet.Time, makeLocalTime(1997, 3, 3, 14, 5));
        QCOMPARE(list->count(), 2);
        QVERIFY(list->item(1)->text().endsWith("Vet"));

        // Picking the first line shows its alarm and makes Enter apply.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QVERIFY(apply->isDefault() && !add->isDefault());
        QCOMPARE(name->text(), cafe);
        QCOMPARE(hour->text() + ":" + minute->text(), QString("9:30"));
        QVERIFY(child<QRadioButton>(view, "am")->isChecked());
        QVERIFY(child<QRadioButton>(view, "frequency1")->isChecked());

        // Clicks and a new minute reach the alarm; the name nobody edited keeps its bytes.
        QTest::mouseClick(child<QRadioButton>(view, "frequency2"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(view, "messageBox"), Qt::LeftButton);
        retype(minute, "45");
        QTest::keyClick(minute, Qt::Key_Return);
        const CDaylarkAlarm& edited = *data.alarms().records()[0];
        QCOMPARE(edited.Name, std::string("Caf\xE9"));
        QCOMPARE(edited.Time, makeLocalTime(1997, 3, 3, 9, 45));
        QCOMPARE(edited.Frequency, static_cast<std::int16_t>(Frequency::Weekly));
        QCOMPARE(edited.MessageBoxFlag, 0);

        retype(name, "Dentist");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(edited.Name, std::string("Dentist"));
        QCOMPARE(data.alarms().records().size(), size_t(2));
        QVERIFY(list->item(0)->text().endsWith("Dentist"));
        QVERIFY(list->item(0)->isSelected());
        QVERIFY(data.sink.messages.empty());

        QTest::mouseClick(child<QPushButton>(view, "done"), Qt::LeftButton);
        QVERIFY(!view.isVisible());
    }

    void theTwentyFourHourClockHidesAmAndPm()
    {
        AlarmData data;
        data.app.frame().displayFlags().use24HourClock = true;
        CAlarmDlg logic(data.alarms(), *data.app.doc().alarmSchedule(), data.clock,
                        data.app.frame().displayFlags(), data.sink);
        logic.Open(data.clock.now());
        AlarmDialogView view(logic);
        QVERIFY(showAndActivate(view));
        auto* hour = child<QLineEdit>(view, "hour");
        QVERIFY(!child<QRadioButton>(view, "am")->isVisible());
        QVERIFY(!child<QRadioButton>(view, "pm")->isVisible());
        QCOMPARE(hour->text(), QString("14"));

        // Enter in the hour field adds, and the name field is ready for the next name.
        auto* name = child<QLineEdit>(view, "name");
        retype(name, "Late");
        retype(hour, "23");
        QTest::keyClick(hour, Qt::Key_Return);
        QVERIFY(name->hasFocus());
        QCOMPARE(name->selectedText(), QString("Late"));
        QCOMPARE(data.alarms().records().size(), size_t(2));
        QCOMPARE(data.alarms().records()[1]->Time, makeLocalTime(1997, 3, 3, 23, 5));
        QVERIFY(child<QListWidget>(view, "alarms")->item(1)->text().startsWith("23:05"));
        QVERIFY(data.sink.messages.empty());

        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!view.isVisible());
    }
};

} // namespace daylark

QTEST_MAIN(daylark::AlarmDialogViewTest)
#include "AlarmDialogViewTest.moc"
