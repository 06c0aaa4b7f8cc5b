#include "alarms/CAlarmFile.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <memory>
#include <string_view>

namespace daylark {

/// A daily alarm due at once, in a new data directory: the day's summary box opens at start.
bool writeDailyAlarm(const std::string& data)
{
    test::RecordingSink sink;
    if (!QDir().mkpath(QString::fromStdString(data))) {
        return false;
    }
    CAlarmFile alarms(data + "/daylark.alm", sink);
    alarms.Load();
    auto alarm = std::make_unique<CDaylarkAlarm>();
    alarm->Name = "Stretch";
    alarm->Frequency = static_cast<std::int16_t>(Frequency::Daily);
    alarm->Time = localMidnight(SystemClock().now());
    alarms.add(std::move(alarm));
    return alarms.Save() == 0;
}

void startProgram(QProcess& program, const std::string& data, const QString& profile,
                  bool quitWhenShown = false)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    if (quitWhenShown) {
        environment.insert("DAYLARK_QUIT_WHEN_SHOWN", "1");
    }
    program.setProcessEnvironment(environment);
    program.start(DAYLARK_PROGRAM,
                  {"--data-dir", QString::fromStdString(data), "--profile", profile});
    QVERIFY(program.waitForStarted());
}

/// The desktop program as a real process, ended by a signal or, for the start-up benchmark, once
/// its window has shown.
class TerminationTest : public QObject
{
    Q_OBJECT

private slots:
    void theBenchmarksEndQuitsOnceTheWindowShowsAlsoUnderTheDaysBox()
    {
        // Without a box the start returns to the event loop; with one, the end comes from the
        // box's own loop. Either way the window has painted and the settings are saved.
        for (const bool alarm : {false, true}) {
            test::TempDir dir;
            const std::string data = dir.file("data");
            QVERIFY(QDir().mkpath(QString::fromStdString(data)));
            QVERIFY(!alarm || writeDailyAlarm(data));
            const QString profile = QString::fromStdString(dir.file("daylark.ini"));
            QProcess program;
            startProgram(program, data, profile, /*quitWhenShown=*/true);
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            QCOMPARE(program.readAllStandardOutput(), QByteArray("shown\n"));
            QFile saved(profile);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QVERIFY(saved.readAll().contains("WindowPos="));
        }
    }

    void aSignalEndsTheProgramAlsoWhileABoxIsOpenAndItSavesFirst()
    {
        test::TempDir dir;
        const std::string data = dir.file("data");
        QVERIFY(writeDailyAlarm(data));
        const QString profile = QString::fromStdString(dir.file("daylark.ini"));

        for (const char* signal : {"SIGTERM", "SIGINT"}) {
            QProcess program;
            startProgram(program, data, profile);
            // The lock is taken before the window shows and the box opens.
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(data + "/.daylark.lock")),
                                     10000);
            QTest::qWait(1500);
            QCOMPARE(program.state(), QProcess::Running); // held by the box
            QFile::remove(profile);
            ::kill(static_cast<pid_t>(program.processId()),
                   std::string_view(signal) == "SIGTERM" ? SIGTERM : SIGINT);
            QVERIFY2(program.waitForFinished(5000), signal);
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            // The settings were saved on the way out.
            QFile saved(profile);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QVERIFY(saved.readAll().contains("WindowPos="));
        }
    }
};

} // namespace daylark

QTEST_GUILESS_MAIN(daylark::TerminationTest)
#include "TerminationTest.moc"
