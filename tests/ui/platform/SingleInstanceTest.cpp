#include "ui/platform/SingleInstance.h"

#include "platform/DataDirLock.h"
#include "support/TempDir.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

Q_DECLARE_METATYPE(daylark::SingleInstance::Start)

namespace daylark {

using std::chrono::milliseconds;

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Every socket of this run goes into a directory of its own.
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(m_runtime.path()));
    }

    void laterStartsBringTheFirstForwardUntilItEnds()
    {
        test::TempDir dir;
        QCOMPARE(::mkdir(dir.file("data").c_str(), 0700), 0);
        auto running = std::make_unique<SingleInstance>(dir.file("data"));
        QCOMPARE(running->start(milliseconds(0)), SingleInstance::Start::First);
        QSignalSpy asked(running.get(), &SingleInstance::activationRequested);

        // The same directory however it is spelt.
        QCOMPARE(::symlink(dir.file("data").c_str(), dir.file("link").c_str()), 0);
        for (const std::string& spelling :
             {dir.file("data"), dir.file("data/."), dir.file("link"), dir.file("link/")}) {
            SingleInstance later(spelling);
            QCOMPARE(later.start(milliseconds(0)), SingleInstance::Start::BroughtForward);
        }
        QTRY_COMPARE(asked.count(), 4);

        // Only this user may ask the running program to come forward.
        const QString socket = SingleInstance::serverName(dir.file("data"));
        QCOMPARE(QFileInfo(socket).path(), QString::fromStdString(m_runtime.path()));
        QVERIFY(socket.contains(QStringLiteral("-%1-").arg(::getuid())));
        struct stat info
        {
        };
        QCOMPARE(::stat(socket.toLocal8Bit().constData(), &info), 0);
        QVERIFY(S_ISSOCK(info.st_mode));
        QCOMPARE(info.st_mode & 077, 0u);

        running.reset();
        SingleInstance next(dir.file("data"));
        QCOMPARE(next.start(milliseconds(0)), SingleInstance::Start::First);
    }

    void aLockHeldWithoutASocketIsWaitedFor_data()
    {
        QTest::addColumn<bool>("dirExists");
        QTest::addColumn<int>("releasedAfterMs"); // -1: kept for the whole start
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<SingleInstance::Start>("start");
        QTest::addColumn<int>("error");
        QTest::newRow("a command that ends in time")
            << true << 50 << 5000 << SingleInstance::Start::First << 0;
        QTest::newRow("a command that keeps it")
            << true << -1 << 200 << SingleInstance::Start::AlreadyRunning << EWOULDBLOCK;
        QTest::newRow("no data directory")
            << false << -1 << 200 << SingleInstance::Start::Unlocked << ENOENT;
    }

    void aLockHeldWithoutASocketIsWaitedFor()
    {
        QFETCH(bool, dirExists);
        QFETCH(int, releasedAfterMs);
        QFETCH(int, waitMs);
        QFETCH(SingleInstance::Start, start);
        QFETCH(int, error);
        test::TempDir dir;
        const std::string data = dirExists ? dir.path() : dir.file("missing");
        // Another program (a daylark-cli command) holds the lock, where it can, and has no socket.
        std::optional<DataDirLock> held = DataDirLock::acquire(data, milliseconds(0));
        QCOMPARE(held.has_value(), dirExists);
        std::thread release;
        if (releasedAfterMs >= 0) {
            release = std::thread([&held, releasedAfterMs] {
                std::this_thread::sleep_for(milliseconds(releasedAfterMs));
                held.reset();
            });
        }
        SingleInstance instance(data);
        int failure = -1;
        const SingleInstance::Start result = instance.start(milliseconds(waitMs), &failure);
        if (release.joinable()) {
            release.join();
        }
        QCOMPARE(result, start);
        QCOMPARE(failure, error);
    }

private:
    test::TempDir m_runtime;
};

} // namespace daylark

QTEST_GUILESS_MAIN(daylark::SingleInstanceTest)
#include "SingleInstanceTest.moc"
