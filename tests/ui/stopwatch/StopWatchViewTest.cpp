#include "ui/stopwatch/StopWatchView.h"

#include "diary/BufferPageText.h"
#include "support/SteppedClock.h"
#include "support/WidgetLookup.h"
#include "tools/CStopWatchDlg.h"
#include "ui/page/PageEdit.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace daylark {

using namespace std::chrono_literals;
using test::child;

class StopWatchViewTest : public QObject
{
    Q_OBJECT

private slots:
    void buttonsDriveLapsTimerExportAndClose();
    void headingsLeadToTheLapList();
    void oneUndoTakesBackTheExportAndKeepsEarlierTyping();
};

void StopWatchViewTest::buttonsDriveLapsTimerExportAndClose()
{
    test::SteppedClock clock(1000s);
    BufferPageText page;
    page.setText("notes");
    StopWatchView view(std::make_unique<CStopWatchDlg>(clock, &page));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.windowTitle(), QStringLiteral("Stop Watch"));

    auto* list = child<QListWidget>(view, "lapList");
    auto* elapsed = child<QLineEdit>(view, "elapsed");
    auto* timer = child<QTimer>(view, "tickTimer");
    auto* start = child<QPushButton>(view, "startButton");
    auto* lap = child<QPushButton>(view, "lapButton");
    auto* stop = child<QPushButton>(view, "stopButton");
    QVERIFY(start->isDefault());
    QVERIFY(elapsed->isReadOnly());
    QVERIFY(!timer->isActive());
    QVERIFY(!lap->isEnabled() && !stop->isEnabled()); // nothing to measure before Start

    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(timer->isActive());
    QVERIFY(lap->isEnabled() && stop->isEnabled());
    clock.advance(65s);
    QTest::mouseClick(lap, Qt::LeftButton);
    clock.advance(20s);
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(!timer->isActive());
    QVERIFY(!lap->isEnabled() && !stop->isEnabled());
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral(" 2) 00:01:25   00:00:20"));
    QCOMPARE(elapsed->text(), QStringLiteral("00:01:25"));

    QTest::mouseClick(child<QPushButton>(view, "exportButton"), Qt::LeftButton);
    QCOMPARE(page.text(),
             std::string("notes\r\r\n 1) 00:01:05   00:01:05\r\r\n 2) 00:01:25   00:00:20"));

    QTest::mouseClick(start, Qt::LeftButton); // a new run empties the list
    QCOMPARE(list->count(), 0);
    QVERIFY(lap->isEnabled() && stop->isEnabled());

    QSignalSpy closed(&view, &StopWatchView::closeRequested);
    QTest::mouseClick(child<QPushButton>(view, "closeButton"), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!view.isVisible());
    QVERIFY(!timer->isActive());

    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    // The close box goes the same way, and the close is accepted: quitting the program closes
    // every window first and stops at one that refuses.
    QVERIFY(view.close());
    QCOMPARE(closed.count(), 2);
    QVERIFY(!view.isVisible());
}

void StopWatchViewTest::headingsLeadToTheLapList()
{
    test::SteppedClock clock;
    StopWatchView view(std::make_unique<CStopWatchDlg>(clock, nullptr));
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    auto* list = child<QListWidget>(view, "lapList");
    auto* start = child<QPushButton>(view, "startButton");
    for (const Qt::Key key : {Qt::Key_D, Qt::Key_A}) {
        start->setFocus();
        QTest::keyClick(&view, key, Qt::AltModifier);
        QVERIFY2(list->hasFocus(), qPrintable(QKeySequence(key).toString()));
    }
}

void StopWatchViewTest::oneUndoTakesBackTheExportAndKeepsEarlierTyping()
{
    test::SteppedClock clock;
    PageEdit page;
    page.setText("\xC3\xA9t\xC3\xA9\r\r\nnotes"); // stored bytes, as the page file holds them
    page.setModified(false);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.setSelection(100, 100);
    // Typing that ends where the export begins: it must stay an undo step of its own.
    QTest::keyClicks(&page, " typed");
    const std::string typed = page.text();
    QCOMPARE(QByteArray::fromStdString(typed), QByteArray("\xC3\xA9t\xC3\xA9\r\nnotes typed"));

    StopWatchView view(std::make_unique<CStopWatchDlg>(clock, &page));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::mouseClick(child<QPushButton>(view, "startButton"), Qt::LeftButton);
    clock.advance(3s);
    QTest::mouseClick(child<QPushButton>(view, "lapButton"), Qt::LeftButton);
    clock.advance(2s);
    QTest::mouseClick(child<QPushButton>(view, "stopButton"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(view, "exportButton"), Qt::LeftButton);
    const std::string exported = typed + "\r\n 1) 00:00:03   00:00:03\r\n 2) 00:00:05   00:00:02";
    QCOMPARE(page.text(), exported);
    QCOMPARE(page.selection().start, exported.size());
    QVERIFY(page.modified());

    QTest::keyClick(&page, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(page.text(), typed);
    QTest::keyClick(&page, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(QByteArray::fromStdString(page.text()), QByteArray("\xC3\xA9t\xC3\xA9\r\nnotes"));
    QVERIFY(!page.modified()); // back to the page as it was saved
    QTest::keyClick(&page, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&page, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(page.text(), exported); // and redo brings the laps back
}

} // namespace daylark

QTEST_MAIN(daylark::StopWatchViewTest)
#include "StopWatchViewTest.moc"
