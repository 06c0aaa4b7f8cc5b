#include "ui/platform/NoticeRouter.h"

#include "support/TempDir.h"
#include "ui/platform/DesktopNotifier.h"
#include "ui/platform/QtMessageSink.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QVariantMap>
#include <QWidget>

#include <fstream>
#include <memory>

namespace daylark {

namespace {

/// A notification service that keeps what it was sent.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call
    {
        QString appName;
        QString appIcon;
        QString summary;
        QString body;
        QVariantMap hints;
        int expireTimeout = -1;
    };
    QList<Call> calls;

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout)
    {
        Q_UNUSED(replacesId);
        Q_UNUSED(actions);
        calls.append({appName, appIcon, summary, body, hints, expireTimeout});
        return uint(calls.size());
    }
};

/// The open notice boxes: top-level windows of their own.
QList<QMessageBox*> noticeBoxes()
{
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("noticeBox") && widget->isVisible()) {
            boxes << static_cast<QMessageBox*>(widget);
        }
    }
    return boxes;
}

} // namespace

/// Notices against a notification service on a session bus of the test's own: the calls
/// really cross a bus, and no desktop of the machine running the tests is touched.
class NoticeRouterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void aHiddenWindowsNoticesReachTheDesktopService();
    void withoutAServiceTheUserStillSeesEveryNotice();

private:
    QDBusConnection connection(const QString& name);

    test::TempDir m_dir;
    QProcess m_bus;
    QString m_address;
    std::unique_ptr<QWidget> m_window;
    QStringList m_status;
};

void NoticeRouterTest::initTestCase()
{
    // A bus of the session kind with no service files: nothing is started on demand, so only
    // what a test registers answers.
    const std::string config = m_dir.file("bus.conf");
    std::ofstream(config) << "<busconfig><type>session</type><listen>unix:dir=" << m_dir.path()
                          << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                             "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>";
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                 QStringLiteral("--config-file=") + QString::fromStdString(config)});
    if (!m_bus.waitForStarted(5000)) {
        QFAIL("dbus-daemon did not start (install the package dbus): " +
              m_bus.errorString().toUtf8());
    }
    while (!m_bus.canReadLine()) {
        if (!m_bus.waitForReadyRead(5000)) {
            QFAIL("dbus-daemon gave no address: " + m_bus.readAllStandardError());
        }
    }
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(connection(QStringLiteral("probe")).isConnected());
}

void NoticeRouterTest::cleanupTestCase()
{
    for (const char* name : {"probe", "program", "service", "nobody"}) {
        QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
    }
    m_bus.kill();
    m_bus.waitForFinished(5000);
}

QDBusConnection NoticeRouterTest::connection(const QString& name)
{
    return QDBusConnection::connectToBus(m_address, name);
}

void NoticeRouterTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_status.clear();
}

void NoticeRouterTest::cleanup()
{
    for (QMessageBox* box : noticeBoxes()) {
        box->close();
    }
    m_window.reset();
}

void NoticeRouterTest::aHiddenWindowsNoticesReachTheDesktopService()
{
    QDBusConnection service = connection(QStringLiteral("service"));
    FakeNotifications fake;
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.Notifications")));

    DesktopNotifier notifier(connection(QStringLiteral("program")));
    NoticeRouter router(*m_window, notifier, [this](const QString& line) { m_status << line; });

    // The window is hidden (in the tray): an alarm goes to the desktop, its markup characters
    // and Windows-1252 bytes shown as typed.
    router.notify("10:00 Tea & <cake>\n10:00 Caf\xE9\n", "10:00 Alarm(s)");
    QTRY_COMPARE(fake.calls.size(), 1);
    const FakeNotifications::Call call = fake.calls.first();
    QCOMPARE(call.appName, QStringLiteral("Daylark"));
    QCOMPARE(call.appIcon, QStringLiteral("daylark"));
    QCOMPARE(call.summary, QStringLiteral("10:00 Alarm(s)"));
    QCOMPARE(call.body, QStringLiteral("10:00 Tea &amp; &lt;cake&gt;\n10:00 Caf\u00e9"));
    QCOMPARE(call.expireTimeout, 0); // stays until dismissed
    QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(),
             QStringLiteral("daylark"));
    QCOMPARE(call.hints.value(QStringLiteral("urgency")).toInt(), 1);

    // A box coming up while the window is out of sight is told too.
    router.boxShowing("09:00 Rent\n", "09:00 Alarm(s)");
    QTRY_COMPARE(fake.calls.size(), 2);
    QCOMPARE(fake.calls.last().body, QStringLiteral("09:00 Rent"));

    // Shown: the status bar as before, and nothing on the bus, for notices and boxes alike.
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    router.notify("11:00 Call\n", "11:00 Alarm(s)");
    router.boxShowing("11:00 Call\n", "11:00 Alarm(s)");
    QCOMPARE(m_status, QStringList({"11:00 Alarm(s): 11:00 Call\n"}));

    // Minimised is out of sight too.
    m_window->showMinimized();
    router.notify("The data check found damage.", "");
    QTRY_COMPARE(fake.calls.size(), 3);
    QCOMPARE(fake.calls.last().summary, QStringLiteral("Daylark"));
    QCOMPARE(m_status.size(), 1);
    QVERIFY(noticeBoxes().isEmpty()); // the service took every one

    // The program's sink hands the core's notices to the router while there is one, and to
    // the status bar as before once it has gone.
    QtMessageSink sink;
    QStringList sinkStatus;
    sink.setWindow(m_window.get(), {}, [&sinkStatus](const std::string& line) {
        sinkStatus << QString::fromStdString(line);
    });
    auto routed = std::make_unique<NoticeRouter>(*m_window, notifier, [](const QString&) {});
    sink.setNotices(*routed);
    sink.notify("12:00 Lunch\n", "12:00 Alarm(s)");
    QTRY_COMPARE(fake.calls.size(), 4);
    routed.reset();
    sink.notify("12:30 Walk\n", "12:30 Alarm(s)");
    QCOMPARE(sinkStatus, QStringList({"12:30 Alarm(s): 12:30 Walk\n"}));

    service.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    service.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
}

void NoticeRouterTest::withoutAServiceTheUserStillSeesEveryNotice()
{
    DesktopNotifier notifier(connection(QStringLiteral("program")));
    NoticeRouter router(*m_window, notifier, [this](const QString& line) { m_status << line; });

    // Hidden, and nobody serves notifications on the bus: a box of its own, which does not
    // hold up the caller and does not end the program when closed.
    router.notify("10:00 Team meeting\n", "10:00 Alarm(s)");
    QVERIFY(noticeBoxes().isEmpty()); // the answer comes from the bus later
    QTRY_COMPARE(noticeBoxes().size(), 1);
    QMessageBox* box = noticeBoxes().first();
    QCOMPARE(box->windowTitle(), QStringLiteral("10:00 Alarm(s)"));
    QCOMPARE(box->text(), QStringLiteral("10:00 Team meeting\n"));
    QVERIFY(!box->isModal());
    QVERIFY(!box->testAttribute(Qt::WA_QuitOnClose));
    QVERIFY(m_status.isEmpty());

    // Shown again before the bus answered: the status bar is where the user looks now.
    router.notify("10:05 Tea\n", "10:05 Alarm(s)");
    m_window->show();
    QTRY_COMPARE(m_status, QStringList({"10:05 Alarm(s): 10:05 Tea\n"}));
    QCOMPARE(noticeBoxes().size(), 1);

    // A box of the core already shows: no second one for it.
    m_window->hide();
    router.boxShowing("09:00 Rent\n", "09:00 Alarm(s)");
    QTest::qWait(200);
    QCOMPARE(noticeBoxes().size(), 1);

    // No session bus at all falls back the same way.
    DesktopNotifier unconnected(QDBusConnection::connectToBus(
        QStringLiteral("unix:path=") + QString::fromStdString(m_dir.file("no-bus-here")),
        QStringLiteral("nobody")));
    NoticeRouter stranded(*m_window, unconnected,
                          [this](const QString& line) { m_status << line; });
    stranded.notify("Alarm file could not be read.", "");
    QTRY_COMPARE(noticeBoxes().size(), 2);
    QStringList titles;
    for (QMessageBox* open : noticeBoxes()) {
        titles << open->windowTitle();
    }
    QVERIFY(titles.contains(QStringLiteral("Daylark")));
}

} // namespace daylark

QTEST_MAIN(daylark::NoticeRouterTest)
#include "NoticeRouterTest.moc"
