#include "ui/stopwatch/StopWatchView.h"

#include "diary/BufferPageText.h"
#include "support/FixedClock.h"
#include "support/WidgetLookup.h"
#include "tools/CStopWatchDlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace daylark {

using test::child;

class StopWatchViewTest : public QObject
{
    Q_OBJECT

private slots:
    void buttonsDriveLapsTimerExportAndClose();
};

void StopWatchViewTest::buttonsDriveLapsTimerExportAndClose()
{
    test::FixedClock clock(852300000);
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
    QVERIFY(start->isDefault());
    QVERIFY(elapsed->isReadOnly());
    QVERIFY(!timer->isActive());

    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(timer->isActive());
    clock.advance(65);
    QTest::mouseClick(child<QPushButton>(view, "lapButton"), Qt::LeftButton);
    clock.advance(20);
    QTest::mouseClick(child<QPushButton>(view, "stopButton"), Qt::LeftButton);
    QVERIFY(!timer->isActive());
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral(" 2) 00:01:25   00:00:20"));
    QCOMPARE(elapsed->text(), QStringLiteral("00:01:25"));

    QTest::mouseClick(child<QPushButton>(view, "exportButton"), Qt::LeftButton);
    QCOMPARE(page.text(),
             std::string("notes\r\r\n 1) 00:01:05   00:01:05\r\r\n 2) 00:01:25   00:00:20"));

    QTest::mouseClick(start, Qt::LeftButton); // a new run empties the list
    QCOMPARE(list->count(), 0);

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

} // namespace daylark

QTEST_MAIN(daylark::StopWatchViewTest)
#include "StopWatchViewTest.moc"
