#include "platform/FileSystem.h"
#include "support/DataSetTestFiles.h"
#include "ui/window/MainWindowSession.h"

#include <QLabel>
#include <QTest>

// The synchronisation with the shared folder that the settings ask for: at start, after a
// change of day and at close, its outcome in the status bar and its failures in boxes.
namespace daylark {

using namespace test;

namespace {

void writeSettings(const TempDir& dir, const std::string& lines)
{
    writeFile(dir.file("daylark.ini"), "[Settings]\n" + lines);
}

int failures(const BoxSink& sink)
{
    return int(std::count_if(sink.messages.begin(), sink.messages.end(),
                             [](const auto& m) { return m.icon == MessageIcon::Exclamation; }));
}

} // namespace

class SharedFolderSyncTest : public QObject
{
    Q_OBJECT

private slots:
    void runsAtStartAfterAChangeOfDayAndAtClose()
    {
        ScopedTimeZone zone(kEastern);
        TempDir dir;
        const std::string folder = dir.file("shared");
        createDirectories(folder);
        writeDayFile(folder + "/daylark.day", {2, kMorning - 86400, 0, "{} from the laptop\r\n"});
        writeSettings(dir, "SyncShared=yes\nSyncDir=" + folder + "/\nBackupTodos=yes\n");
        createDirectories(dir.file("data"));
        saveRecords<CTodoFile>(dir.file("data") + "/daylark.tdl", list("Shopping", "{} milk"));

        Session session(dir, kMorning);
        QVERIFY(session.active);
        // At start: the folder's older page is filed under its day, its open task comes here.
        QVERIFY(QTest::qWaitFor([&] { return fileExists(folder + "/daylark.tdl"); }));
        QCOMPARE(pagesOf(folder + "/1997.dlk").at(0).first, std::string("1997-03-02"));
        QVERIFY(pagesOf(folder + "/1997.dlk").at(0).second.find("laptop") == std::string::npos);
        QVERIFY(session.shown().contains("{} from the laptop"));
        QVERIFY(session.label("messagePane")->text().startsWith("9:05 AM: Synchronised with "));
        QCOMPARE(failures(session.recorder), 0);

        // After the change of day: the folder's page moves on with this one.
        QTest::keyClick(&session.page(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&session.page(), Qt::Key_Return);
        QTest::keyClicks(&session.page(), "met Ann");
        QTest::keyClick(&session.page(), Qt::Key_S, Qt::ControlModifier);
        session.clock.time = kMorning + 86400;
        session.window->tick();
        QVERIFY(sameLocalDay(readDayFile(folder + "/daylark.day").pageDate, kMorning + 86400));
        QCOMPARE(pagesOf(folder + "/1997.dlk").at(1).first, std::string("1997-03-03"));
        QVERIFY(pagesOf(folder + "/1997.dlk").at(1).second.find("met Ann") != std::string::npos);
        QVERIFY(session.label("messagePane")->text().startsWith("9:05 AM: Synchronised with "));

        // At close: what was written last reaches the folder.
        QTest::keyClick(&session.page(), Qt::Key_Return);
        QTest::keyClicks(&session.page(), "last words");
        QVERIFY(session.window->close());
        QVERIFY(readDayFile(folder + "/daylark.day").text.find("last words") != std::string::npos);
        QCOMPARE(failures(session.recorder), 0);
    }

    void aFailingRunShowsItsMessageAndTheSettingOffRunsNothing()
    {
        ScopedTimeZone zone(kEastern);
        TempDir dir;
        const std::string missing = dir.file("unplugged") + "/";
        writeSettings(dir, "SyncShared=yes\nSyncDir=" + missing + "\n");
        {
            Session session(dir, kMorning);
            QVERIFY(QTest::qWaitFor([&] { return failures(session.recorder) == 1; }));
            QVERIFY(session.recorder.texts().back().find(missing + " does not exist") !=
                    std::string::npos);
        }
        writeSettings(dir, "SyncShared=yes\n");
        {
            Session session(dir, kMorning);
            QVERIFY(QTest::qWaitFor([&] { return failures(session.recorder) == 1; }));
            QVERIFY(session.recorder.texts().back().find("no folder has been synchronised") !=
                    std::string::npos);
        }
        const std::string folder = dir.file("shared");
        createDirectories(folder);
        writeSettings(dir, "SyncShared=no\nSyncDir=" + folder + "/\n");
        Session session(dir, kMorning);
        session.window->tick();
        QVERIFY(session.window->close());
        QVERIFY(namesIn(folder).empty());
        QCOMPARE(failures(session.recorder), 0);
    }
};

} // namespace daylark

QTEST_MAIN(daylark::SharedFolderSyncTest)
#include "SharedFolderSyncTest.moc"
