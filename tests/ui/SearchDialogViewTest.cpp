#include "ui/SearchDialogView.h"

#include "app/DaylarkApp.h"
#include "app/QuietRetrySink.h"
#include "search/CSearchDlg.h"
#include "support/DataSetTestFiles.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace daylark {

using test::child;

namespace {

/// The program's core over a data set with three filed pages holding "word".
struct SearchData
{
    SearchData()
    {
        app.start();
        test::filePages(app.locations().archivePath(1996), {{"1996-12-31", "third Word"}}, clock);
        test::filePages(app.locations().archivePath(1997),
                        {{"1997-01-01", "first word"}, {"1997-01-02", "second WORD"}}, clock);
    }

    test::ScopedTimeZone zone{"EST5EDT,M4.1.0,M10.5.0"};
    test::TempDir dir;
    test::RecordingSink sink;
    test::FixedClock clock{makeLocalTime(1997, 1, 3, 9)};
    DaylarkApp app{Locations::resolve({dir.file("data"), dir.file("daylark.ini"), {}},
                                      [](const char*) -> const char* { return nullptr; }),
                   sink, clock};
};

} // namespace

class SearchDialogViewTest : public QObject
{
    Q_OBJECT

private slots:
    void searchesAndStepsThroughTheHits()
    {
        SearchData data;
        CSearchDlg logic(data.app.doc(), data.app.view(), data.app.frame().listsFile(),
                         data.app.frame().alarmFile(), data.app.frame().displayFlags());
        SearchDialogView view(logic);
        view.show();
        auto* results = child<QPlainTextEdit>(view, "results");
        auto* hits = child<QLabel>(view, "hits");
        auto* older = child<QPushButton>(view, "olderHit");
        auto* newer = child<QPushButton>(view, "newerHit");
        QVERIFY(results->isReadOnly());
        QCOMPARE(child<QLineEdit>(view, "monthsBack")->text(), QString("6"));
        QCOMPARE(child<QLineEdit>(view, "maxHits")->text(), QString("40"));
        QVERIFY(!older->isEnabled() && !newer->isEnabled());

        QTest::keyClicks(child<QLineEdit>(view, "term1"), "nothing");
        QTest::mouseClick(child<QPushButton>(view, "startButton"), Qt::LeftButton);
        QCOMPARE(results->toPlainText(), QString("Text not Found..."));
        QCOMPARE(hits->text(), QString("0"));

        auto* term1 = child<QLineEdit>(view, "term1");
        term1->clear();
        QTest::keyClicks(term1, "word");
        QTest::keyClick(term1, Qt::Key_Return); // Start is the default button
        QCOMPARE(hits->text(), QString("3"));
        QCOMPARE(results->toPlainText(), QString("PAGE: Thursday, January 2, 1997\nsecond WORD"));
        QVERIFY(older->isEnabled() && !newer->isEnabled());

        // Older, older, newer, newer: hits 2, 3, 2, 1.
        struct Step
        {
            QPushButton* button;
            const char* shownDay;
            bool olderEnabled;
            bool newerEnabled;
        };
        const Step steps[] = {{older, "January 1, 1997", true, true},
                              {older, "December 31, 1996", false, true},
                              {newer, "January 1, 1997", true, true},
                              {newer, "January 2, 1997", true, false}};
        for (const Step& step : steps) {
            QTest::mouseClick(step.button, Qt::LeftButton);
            QVERIFY2(results->toPlainText().contains(QLatin1String(step.shownDay)),
                     qPrintable(results->toPlainText()));
            QCOMPARE(older->isEnabled(), step.olderEnabled);
            QCOMPARE(newer->isEnabled(), step.newerEnabled);
        }

        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!view.isVisible());
        QVERIFY(!logic.isOpen());
        QVERIFY(data.sink.messages.empty());
    }

    void theMainWindowOpensItsDialogs()
    {
        SearchData data;
        QuietRetrySink sink(data.sink);
        MainWindow window(data.app, sink);
        window.show();
        auto* search = window.findChild<QAction*>("actionSearch");
        auto* synchronize = window.findChild<QAction*>("actionSynchronize");
        const QList<QAction*> buttons = window.findChild<QToolBar*>("toolBar")->actions();
        QVERIFY(buttons.indexOf(search) >= 0 &&
                buttons.indexOf(search) < buttons.indexOf(synchronize));
        QCOMPARE(buttons.last(), synchronize);

        QStringList titles;
        auto* lists = window.findChild<QAction*>("actionLists");
        auto* settings = window.findChild<QAction*>("actionSettings");
        for (QAction* command : {search, synchronize, lists, settings}) {
            QTimer::singleShot(0, [&titles] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog != nullptr);
                titles << dialog->windowTitle();
                QTest::keyClick(dialog, Qt::Key_Escape);
            });
            command->trigger();
            QVERIFY(QApplication::activeModalWidget() == nullptr);
        }
        QCOMPARE(titles, (QStringList{"Search For Text", "Daylark Synchronize or Backup",
                                      "List Management", "Settings"}));

        // The stop watch is modeless: its checked button opens it, its Close releases the button.
        auto* stopWatch = window.findChild<QAction*>("actionStopWatch");
        stopWatch->trigger();
        auto* watch = window.findChild<QDialog*>("stopWatch");
        QVERIFY(watch != nullptr && watch->isVisible() && stopWatch->isChecked());
        QTest::keyClick(watch, Qt::Key_Escape);
        QVERIFY(!stopWatch->isChecked());
        QTRY_VERIFY(window.findChild<QDialog*>("stopWatch") == nullptr);
        stopWatch->trigger();
        stopWatch->trigger(); // the second press closes it
        QTRY_VERIFY(window.findChild<QDialog*>("stopWatch") == nullptr);
        // The search let the lists and alarms go again.
        QCOMPARE(data.app.frame().alarmFile().holders(), 0);
        QCOMPARE(data.app.frame().listsFile().holders(), 0);
        QVERIFY(data.sink.messages.empty());
    }
};

} // namespace daylark

QTEST_MAIN(daylark::SearchDialogViewTest)
#include "SearchDialogViewTest.moc"
