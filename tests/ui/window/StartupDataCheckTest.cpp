#include "ui/window/StartupDataCheck.h"

#include "diary/CDaylarkDoc.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "support/TimeZone.h"
#include "support/WholeDataSet.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace daylark::test {

class StartupDataCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void damageIsToldAndTheDayChangeWaitsUntilTheCheckEnds();
    void aWholeSetSaysNothing();
    void closingDuringTheCheckStopsItAndLetsTheDayChangeGo();

private:
    ScopedTimeZone m_zone{kEastern};
    TempDir m_dir;
    RecordingSink m_sink;
    FixedClock m_clock{857397900};
    Profile m_profile{m_dir.file("daylark.ini"), m_sink};
};

void StartupDataCheckTest::damageIsToldAndTheDayChangeWaitsUntilTheCheckEnds()
{
    const TempDir data;
    writeWholeDataSet(data.path());
    writeFile(data.file("1997.dlk"), readFile(data.file("1997.dlk")) + "\x10\0");
    const auto before = contentsOf(data.path());
    CDaylarkDoc doc(m_sink, m_clock, m_profile);
    StartupDataCheck check(doc, data.path(), data.file("daylark.day"));
    QSignalSpy damage(&check, &StartupDataCheck::damageFound);
    QSignalSpy finished(&check, &StartupDataCheck::finished);

    check.start();
    QVERIFY(doc.dayChangeHeld());
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(!doc.dayChangeHeld());
    QCOMPARE(damage.count(), 1);
    const QString notice = damage.at(0).at(0).toString();
    QVERIFY2(notice.contains("1997.dlk") && !notice.contains("daylark.alm") &&
                 notice.contains(kRepairGuideSection),
             qPrintable(notice));
    QVERIFY(contentsOf(data.path()) == before); // the check only reads
}

void StartupDataCheckTest::aWholeSetSaysNothing()
{
    const TempDir data;
    writeWholeDataSet(data.path());
    CDaylarkDoc doc(m_sink, m_clock, m_profile);
    StartupDataCheck check(doc, data.path(), data.file("daylark.day"));
    QSignalSpy damage(&check, &StartupDataCheck::damageFound);
    QSignalSpy finished(&check, &StartupDataCheck::finished);
    check.start();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(damage.count(), 0);
    QVERIFY(!check.running());
}

void StartupDataCheckTest::closingDuringTheCheckStopsItAndLetsTheDayChangeGo()
{
    const TempDir data;
    writeWholeDataSet(data.path());
    writeFile(data.file("1998.000"), "left by a merge");
    CDaylarkDoc doc(m_sink, m_clock, m_profile);
    auto check = std::make_unique<StartupDataCheck>(doc, data.path(), data.file("daylark.day"));
    QSignalSpy damage(check.get(), &StartupDataCheck::damageFound);
    check->start();
    check.reset();
    QVERIFY(!doc.dayChangeHeld());
    QTest::qWait(50); // a result posted before the close is never delivered
    QCOMPARE(damage.count(), 0);
}

} // namespace daylark::test

QTEST_MAIN(daylark::test::StartupDataCheckTest)
#include "StartupDataCheckTest.moc"
