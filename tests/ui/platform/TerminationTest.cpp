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

/// The desktop program as a real process, ended by a signal.
class TerminationTest : public QObject
{
    Q_OBJECT

private slots:
    void aSignalEndsTheProgramAlsoWhileABoxIsOpenAndItSavesFirst()
    {
        // A daily alarm: the day's summary box opens at start, and the alarm is due at once.
        test::TempDir dir;
        const std::string data = dir.file("data");
        {
            test::RecordingSink sink;
            QVERIFY(QDir().mkpath(QString::fromStdString(data)));
            CAlarmFile alarms(data + "/daylark.alm", sink);
            alarms.Load();
            auto alarm = std::make_unique<CDaylarkAlarm>();
            alarm->Name = "Stretch";
            alarm->Frequency = static_cast<std::int16_t>(Frequency::Daily);
            alarm->Time = localMidnight(SystemClock().now());
            alarms.add(std::move(alarm));
            QCOMPARE(alarms.Save(), 0);
        }
        const QString profile = QString::fromStdString(dir.file("daylark.ini"));

        for (const char* signal : {"SIGTERM", "SIGINT"}) {
            QProcess program;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QT_QPA_PLATFORM", "offscreen");
            program.setProcessEnvironment(environment);
            program.start(DAYLARK_PROGRAM,
                          {"--data-dir", QString::fromStdString(data), "--profile", profile});
            QVERIFY(program.waitForStarted());
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
