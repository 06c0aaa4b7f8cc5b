#include "ui/search/SearchDialogView.h"

#include "app/DaylarkApp.h"
#include "app/QuietRetrySink.h"
#include "search/CSearchDlg.h"
#include "support/DataSetTestFiles.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

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

    test::ScopedTimeZone zone{test::kEastern};
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
};

} // namespace daylark

QTEST_MAIN(daylark::SearchDialogViewTest)
#include "SearchDialogViewTest.moc"
