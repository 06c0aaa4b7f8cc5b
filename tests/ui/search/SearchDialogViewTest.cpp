#include "ui/search/SearchDialogView.h"

#include "app/DaylarkApp.h"
#include "app/QuietRetrySink.h"
#include "search/CSearchDlg.h"
#include "support/DataSetTestFiles.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

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

    void aHitShowsItsCharactersAndMarksTheTerms()
    {
        SearchData data;
        // Filed years ago on Windows: a Windows-1252 line ending in CR CR LF.
        test::filePages(data.app.locations().archivePath(1995),
                        {{"1995-06-01", "Caf\xE9 au lait, CAF\xC9 noir\r\r\ncaf\xE9 again"}},
                        data.clock);
        CSearchDlg logic(data.app.doc(), data.app.view(), data.app.frame().listsFile(),
                         data.app.frame().alarmFile(), data.app.frame().displayFlags());
        SearchDialogView view(logic);
        view.show();
        auto* results = child<QPlainTextEdit>(view, "results");
        auto* term1 = child<QLineEdit>(view, "term1");
        QTest::keyClicks(term1, "caf");
        QTest::sendKeyEvent(QTest::Click, term1, Qt::Key_Eacute, QString(QChar(0xE9)),
                            Qt::NoModifier);
        QTest::keyClicks(child<QLineEdit>(view, "monthsBack"), "0"); // 60 months
        QTest::mouseClick(child<QPushButton>(view, "startButton"), Qt::LeftButton);
        QCOMPARE(results->toPlainText(),
                 QString::fromUtf8("PAGE: Thursday, June 1, 1995\nCaf\xC3\xA9 au lait, "
                                   "CAF\xC3\x89 noir\ncaf\xC3\xA9 again"));

        // Only ASCII letters fold: the capital E acute is not marked.
        QStringList marked;
        for (const QTextEdit::ExtraSelection& mark : results->extraSelections()) {
            marked << QString::number(mark.cursor.selectionStart()) + ":" +
                          mark.cursor.selectedText();
        }
        QCOMPARE(marked, QStringList({QString::fromUtf8("29:Caf\xC3\xA9"),
                                      QString::fromUtf8("53:caf\xC3\xA9")}));
    }

    void numberFieldsTakeWholeNumbersOnly()
    {
        SearchData data;
        CSearchDlg logic(data.app.doc(), data.app.view(), data.app.frame().listsFile(),
                         data.app.frame().alarmFile(), data.app.frame().displayFlags());
        SearchDialogView view(logic);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto* maxHits = child<QLineEdit>(view, "maxHits");
        maxHits->clear();
        QTest::keyClicks(maxHits, "2x1474836489"); // no letter, and no eleventh digit
        QCOMPARE(maxHits->text(), QString("2147483648"));
        QTest::keyClicks(child<QLineEdit>(view, "term1"), "word");
        QTest::mouseClick(child<QPushButton>(view, "startButton"), Qt::LeftButton);
        QCOMPARE(data.sink.messages.size(), size_t(1));
        QVERIFY(data.sink.messages[0].text.find("Maximum Hits") == 0);
        QCOMPARE(child<QPlainTextEdit>(view, "results")->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), maxHits);
        QCOMPARE(maxHits->selectedText(), maxHits->text());

        // Every label leads to its field.
        const std::pair<Qt::Key, const char*> mnemonics[] = {{Qt::Key_F, "term1"},
                                                             {Qt::Key_M, "monthsBack"},
                                                             {Qt::Key_X, "maxHits"},
                                                             {Qt::Key_H, "results"}};
        for (const auto& [key, field] : mnemonics) {
            QTest::keyClick(&view, key, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(field));
        }
        for (QLabel* label : view.findChildren<QLabel*>()) {
            QVERIFY2(label == child<QLabel>(view, "hits") ||
                         (label->buddy() != nullptr && label->text().contains('&')),
                     qPrintable(label->text()));
        }
    }

    void showDayLeavesForAPageHit()
    {
        SearchData data;
        test::saveRecords<CTodoFile>(data.app.locations().listsPath(),
                                     test::list("Shopping", "word"));
        for (const bool doubleClick : {false, true}) {
            CSearchDlg logic(data.app.doc(), data.app.view(), data.app.frame().listsFile(),
                             data.app.frame().alarmFile(), data.app.frame().displayFlags());
            SearchDialogView view(logic);
            view.show();
            auto* showDay = child<QPushButton>(view, "showDayButton");
            auto* results = child<QPlainTextEdit>(view, "results");
            QVERIFY(!showDay->isEnabled());
            QTest::keyClicks(child<QLineEdit>(view, "term1"), "word");
            QTest::keyClick(child<QLineEdit>(view, "term1"), Qt::Key_Return);
            QVERIFY(showDay->isEnabled());
            for (int i = 0; i < 3; ++i) {
                QTest::mouseClick(child<QPushButton>(view, "olderHit"), Qt::LeftButton);
            }
            QVERIFY(results->toPlainText().startsWith("LIST: Shopping"));
            QVERIFY(!showDay->isEnabled());
            QTest::mouseDClick(results->viewport(), Qt::LeftButton);
            QVERIFY(view.isVisible() && logic.isOpen()); // a list has no day

            QTest::mouseClick(child<QPushButton>(view, "newerHit"), Qt::LeftButton);
            QVERIFY(showDay->isEnabled());
            if (doubleClick) {
                QTest::mouseDClick(results->viewport(), Qt::LeftButton);
            } else {
                QTest::mouseClick(showDay, Qt::LeftButton);
            }
            QVERIFY(!view.isVisible());
            QCOMPARE(view.result(), int(QDialog::Accepted));
            QVERIFY(!logic.isOpen());
            QCOMPARE(data.app.view().caption(), std::string("Tuesday, December 31, 1996"));
            QCOMPARE(data.app.doc().pageText().text(), std::string("third Word"));
        }
        QVERIFY(data.sink.messages.empty());
    }
};

} // namespace daylark

QTEST_MAIN(daylark::SearchDialogViewTest)
#include "SearchDialogViewTest.moc"
