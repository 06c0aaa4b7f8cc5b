#include "ui/calendar/DayViewDialog.h"

#include "app/DaylarkApp.h"
#include "calendar/CDayViewDlg.h"
#include "diary/PageText.h"
#include "support/DataSetTestFiles.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"
#include "ui/calendar/ArrowButton.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace daylark {

using test::child;

namespace {

/// The program's core on Monday 3 March 1997, with Sunday's page filed and a note for Tuesday.
struct DayViewData
{
    DayViewData()
    {
        app.start();
        app.doc().pageText().setText("Monday\r\n{} tea");
        // Filed from an older copy: a CR CR LF group and a Windows-1252 "é".
        test::filePages(app.locations().archivePath(1997), {{"1997-03-02", "caf\xE9\r\r\nSunday"}},
                        clock);
        test::saveRecords<CFutureFile>(app.locations().futurePath(),
                                       test::note("1997-03-04", "Vet"));
    }

    std::vector<std::string> notes() const
    {
        return test::recordsOf<CFutureFile>(app.locations().futurePath());
    }

    test::ScopedTimeZone zone{test::kEastern};
    test::TempDir dir;
    test::RecordingSink sink;
    test::FixedClock clock{makeLocalTime(1997, 3, 3, 9)};
    DaylarkApp app{Locations::resolve({dir.file("data"), dir.file("daylark.ini"), {}},
                                      [](const char*) -> const char* { return nullptr; }),
                   sink, clock};
    CDayViewDlg logic{app.doc(), app.view(), app.frame().displayFlags()};
};

bool showAndActivate(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class DayViewDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsFromAFiledPageToTodayAndWritesANoteForTomorrow()
    {
        DayViewData data;
        CDayViewDlg& logic = data.logic;
        logic.Open(makeLocalTime(1997, 3, 2));
        DayViewDialog view(logic);
        QVERIFY(showAndActivate(view));
        auto* text = child<QPlainTextEdit>(view, "text");
        auto* forward = child<ArrowButton>(view, "forward");
        QVERIFY(text->hasFocus());
        QVERIFY(child<ArrowButton>(view, "back")->toolTip().contains("Alt+Left"));
        QVERIFY(forward->toolTip().contains("Alt+Right"));

        QCOMPARE(view.windowTitle(), QString("Sunday, March 2, 1997"));
        QCOMPARE(text->toPlainText(), QString::fromUtf8("caf\xC3\xA9\nSunday"));
        QVERIFY(text->isReadOnly());
        QTest::keyClicks(text, "x");
        QVERIFY(!logic.textModified());
        const QColor pastBase = text->palette().color(QPalette::Base);

        QTest::keyClick(text, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(view.windowTitle(), QString("Monday, March 3, 1997"));
        QCOMPARE(text->toPlainText(), QString("Monday\n{} tea"));
        QVERIFY(!text->isReadOnly());
        QVERIFY(text->palette().color(QPalette::Base) != pastBase);
        QVERIFY(!logic.textModified());

        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(view.windowTitle(), QString("Tuesday, March 4, 1997"));
        QCOMPARE(text->toPlainText(), QString("Vet"));
        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_Return); // a new line, not OK
        QTest::keyClicks(text, "Pay rent");
        QVERIFY(view.isVisible());
        // Stepping away and back shows the note as the step committed it.
        QTest::keyClick(text, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(view.windowTitle(), QString("Monday, March 3, 1997"));
        QTest::keyClick(text, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(text->toPlainText(), QString("Vet\nPay rent"));
        QVERIFY(data.notes() == std::vector<std::string>{"1997-03-04 Vet"});

        QTest::mouseClick(child<QPushButton>(view, "ok"), Qt::LeftButton);
        QVERIFY(!view.isVisible());
        QCOMPARE(view.result(), int(QDialog::Accepted));
        QVERIFY(!logic.isOpen());
        QVERIFY(data.notes() == std::vector<std::string>{"1997-03-04 Vet\r\nPay rent"});
        QVERIFY(data.sink.messages.empty());
    }

    void escapeAsksBeforeDroppingAnEditAndCtrlEnterKeepsIt()
    {
        DayViewData data;
        CDayViewDlg& logic = data.logic;
        data.sink.answers = {MessageAnswer::Cancel, MessageAnswer::No};
        logic.Open(makeLocalTime(1997, 3, 4));
        DayViewDialog view(logic);
        QVERIFY(showAndActivate(view));
        auto* text = child<QPlainTextEdit>(view, "text");
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, " at 10");

        QTest::keyClick(text, Qt::Key_Escape); // answered Cancel: back to the dialog
        QVERIFY(view.isVisible());
        QCOMPARE(text->toPlainText(), QString("Vet at 10"));
        view.close(); // the close box, answered No
        QVERIFY(!view.isVisible());
        QVERIFY(!logic.isOpen());
        QCOMPARE(data.sink.texts(), std::vector<std::string>(2, "Keep your changes?"));
        QVERIFY(data.notes() == std::vector<std::string>{"1997-03-04 Vet"});

        logic.Open(makeLocalTime(1997, 3, 4));
        DayViewDialog again(logic);
        QVERIFY(showAndActivate(again));
        auto* box = child<QPlainTextEdit>(again, "text");
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, " at 10");
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!again.isVisible());
        QVERIFY(data.notes() == std::vector<std::string>{"1997-03-04 Vet at 10"});
        QCOMPARE(data.sink.messages.size(), std::size_t(2));
    }
};

} // namespace daylark

QTEST_MAIN(daylark::DayViewDialogTest)
#include "DayViewDialogTest.moc"
