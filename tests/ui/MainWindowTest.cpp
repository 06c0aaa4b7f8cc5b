#include "ui/MainWindow.h"

#include "app/DaylarkApp.h"
#include "diary/CDaylarkPage.h"
#include "diary/CPageArchive.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "ui/PageEdit.h"
#include "ui/QuietRetrySink.h"
#include "ui/SingleInstance.h"

#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <functional>
#include <sys/stat.h>
#include <tuple>
#include <utility>

namespace daylark {

namespace {

constexpr const char* kZone = "EST5EDT,M4.1.0,M10.5.0";
constexpr std::int64_t kMorning = 857397900;         // Monday 3 March 1997, 9:05 in New York
constexpr std::int64_t kSecondOfJanuary = 852217200; // Thursday 2 January 1997, 10:00

/// Records every message; can run something while a box is "open", as a tick
/// that arrives during a real box would.
class BoxSink : public test::RecordingSink
{
public:
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override
    {
        const MessageAnswer answer = RecordingSink::ask(text, caption, icon, buttons);
        if (whileOpen) {
            std::exchange(whileOpen, nullptr)();
        }
        return answer;
    }
    int countCaption(const std::string& part) const
    {
        return int(std::count_if(messages.begin(), messages.end(), [&](const Message& m) {
            return m.caption.find(part) != std::string::npos;
        }));
    }
    std::function<void()> whileOpen;
};

Locations locationsIn(const test::TempDir& dir, const std::string& dayFile = {})
{
    LocationOptions options;
    options.dataDir = dir.file("data");
    options.profile = dir.file("daylark.ini");
    options.dayFile = dayFile;
    return Locations::resolve(options, [](const char*) -> const char* { return nullptr; });
}

/// Runs `use` on the program's core over the data in `dir`, as another run
/// without a window.
void withApp(const test::TempDir& dir, const std::function<void(DaylarkApp&)>& use,
             const std::string& dayFile = {})
{
    BoxSink sink;
    test::FixedClock clock(kMorning);
    DaylarkApp app(locationsIn(dir, dayFile), sink, clock);
    app.start();
    use(app);
}

/// The page of the current-day file as another run of the program reads it.
std::string savedPage(const test::TempDir& dir, const std::string& dayFile = {})
{
    std::string text;
    withApp(
        dir, [&text](DaylarkApp& app) { text = app.doc().pageText().text(); }, dayFile);
    return text;
}

/// The program as main() makes it, with a fixed clock and a recording sink.
struct Session
{
    explicit Session(const test::TempDir& dir, std::int64_t now, const std::string& dayFile = {})
        : clock(now)
        , app(locationsIn(dir, dayFile), sink, clock)
    {
        app.start();
        window = std::make_unique<MainWindow>(app, sink);
        window->initialShow(WindowPlacement::kShowNormal);
        window->activateWindow();
        window->page().setFocus();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    PageEdit& page() { return window->page(); }
    QString shown() { return page().toPlainText(); }
    QString title() { return window->windowTitle(); }
    QLabel* label(const char* name) { return window->findChild<QLabel*>(name); }
    /// The user stops typing: the idle timer runs out at once.
    void pause()
    {
        auto* idle = window->findChild<QTimer*>("idleTimer");
        QVERIFY(idle->isActive());
        idle->setInterval(1);
        idle->start();
        QTRY_VERIFY(!idle->isActive());
    }

    BoxSink recorder;
    QuietRetrySink sink{recorder};
    test::FixedClock clock;
    DaylarkApp app;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void typingIsSavedAtAPauseWithEveryCharacterKept()
    {
        test::ScopedTimeZone zone(kZone);
        test::TempDir dir;
        // A page written elsewhere: CR CR LF groups and a Windows-1252 "é".
        withApp(dir, [](DaylarkApp& app) {
            app.doc().pageText().setText("caf\xE9\r\r\n{} tea");
            QVERIFY(app.doc().Save());
        });
        Session session(dir, kMorning);
        QCOMPARE(session.shown(), QString::fromUtf8("caf\xC3\xA9\n{} tea"));
        QCOMPARE(session.title(), QString("Monday, March 3, 1997"));
        QCOMPARE(session.label("clockPane")->text(), QString("9:05 AM"));

        session.page().moveCursor(QTextCursor::End);
        QTest::keyClicks(&session.page(), " and cake");
        QTest::keyClick(&session.page(), Qt::Key_Space, Qt::ControlModifier);
        session.pause();
        QVERIFY(!session.app.doc().isModified());
        QCOMPARE(QByteArray::fromStdString(savedPage(dir)),
                 QByteArray("caf\xC3\xA9\r\n{x} tea and cake"));
        QVERIFY(session.recorder.messages.empty());
    }

    void editingKeysAndTheFontReachTheView()
    {
        test::ScopedTimeZone zone(kZone);
        test::TempDir dir;
        Session session(dir, kMorning);
        PageEdit& page = session.page();
        QTest::keyClick(&page, Qt::Key_F5);
        QTest::keyClicks(&page, "tea");
        QTest::keyClick(&page, Qt::Key_Return);
        QTest::keyClicks(&page, "with lemon");
        QCOMPARE(session.shown(), QString("9:05 AM: tea\nwith lemon"));
        page.selectAll();
        QTest::keyClick(&page, Qt::Key_F4);
        QCOMPARE(session.shown(), QString("9:05 AM: tea with lemon"));

        session.window->setFontChooser([](const QFont&, QWidget*) {
            QFont chosen("DejaVu Sans", 15);
            chosen.setWeight(QFont::Bold);
            return std::optional<QFont>(chosen);
        });
        session.window->findChild<QAction*>("actionFont")->trigger();
        QCOMPARE(page.font().pointSizeF(), 15.0);
        QVERIFY(test::readFile(dir.file("daylark.ini"))
                    .find("Font=-20,0,0,0,700,0,0,0,0,0,0,0,0,DejaVu Sans") != std::string::npos);
    }

    void steppingBackAcrossNewYearAndForwardKeepsTodaysText()
    {
        test::ScopedTimeZone zone(kZone);
        test::TempDir dir;
        Session session(dir, kSecondOfJanuary);
        for (const auto& [date, text] :
             {std::pair(kSecondOfJanuary - 2 * 86400, "last page of 1996"),
              std::pair(kSecondOfJanuary - 86400, "first page of 1997")}) {
            CDaylarkPage filed;
            filed.Date = date;
            filed.Text = text;
            CPageArchive archive(session.app.doc().archivePathFor(date), session.recorder,
                                 session.clock);
            QVERIFY(archive.AppendPage(filed) > 0);
        }
        PageEdit& page = session.page();
        QTest::keyClicks(&page, "today's words");
        const QColor todayBase = page.palette().color(QPalette::Base);

        const std::tuple<Qt::Key, const char*, const char*> steps[] = {
            {Qt::Key_Left, "Wednesday, January 1, 1997", "first page of 1997"},
            {Qt::Key_Left, "Tuesday, December 31, 1996", "last page of 1996"},
            {Qt::Key_Left, "Monday, December 30, 1996", ""},
            {Qt::Key_Right, "Tuesday, December 31, 1996", "last page of 1996"},
        };
        for (const auto& [key, caption, text] : steps) {
            QTest::keyClick(&page, key, Qt::AltModifier);
            QCOMPARE(session.title(), QString(caption));
            QCOMPARE(session.shown(), QString(text));
            QVERIFY(page.isReadOnly());
            QVERIFY(page.palette().color(QPalette::Base) != todayBase);
            QVERIFY(session.label("messagePane")->text().contains("read-only"));
        }
        QTest::keyClicks(&page, "x"); // a past day takes no typing
        QCOMPARE(session.shown(), QString("last page of 1996"));

        QTest::keyClick(&page, Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(session.title(), QString("Thursday, January 2, 1997"));
        QCOMPARE(session.shown(), QString("today's words"));
        QVERIFY(!page.isReadOnly());
        QCOMPARE(page.palette().color(QPalette::Base), todayBase);
        QVERIFY(!session.label("messagePane")->text().contains("read-only"));
        QCOMPARE(session.app.doc().browsingArchiveCount(), size_t(0));
        session.pause(); // the edit made before stepping back is still saved
        QCOMPARE(savedPage(dir), std::string("today's words"));
    }

    void menuToolbarAndPlacementComeBackFromTheProfile()
    {
        test::ScopedTimeZone zone(kZone);
        test::TempDir dir;
        const QRect placed(60, 70, 500, 400);
        {
            Session session(dir, kMorning);
            MainWindow& window = *session.window;
            auto* toolBar = window.findChild<QToolBar*>("toolBar");
            auto* toolBarToggle = window.findChild<QAction*>("actionToolBar");
            QVERIFY(window.menuBar()->isHidden());
            QTest::keyClick(&session.page(), Qt::Key_F2);
            QVERIFY(!window.menuBar()->isHidden());
            QTest::keyClick(&session.page(), Qt::Key_F2);
            QVERIFY(window.menuBar()->isHidden());
            QTest::keyClick(&session.page(), Qt::Key_F2);
            toolBarToggle->trigger();
            QVERIFY(toolBar->isHidden());
            QTest::keyClick(&session.page(),
                            Qt::Key_F2); // the menu is now the only way back
            QVERIFY(!window.menuBar()->isHidden());
            toolBarToggle->trigger();
            QVERIFY(!toolBar->isHidden());
            window.addToolBar(Qt::LeftToolBarArea,
                              toolBar); // the user docks it on the left
            window.setGeometry(placed);
            QVERIFY(window.close());
        }
        const std::string profile = test::readFile(dir.file("daylark.ini"));
        for (const char* line : {"WindowPos=0,1,-1,-1,-1,-1,60,70,560,470", "Menu=yes",
                                 "ToolBar=yes", "DockSide=59420"}) {
            QVERIFY2(profile.find(line) != std::string::npos, line);
        }
        {
            Session session(dir, kMorning);
            MainWindow& window = *session.window;
            QCOMPARE(window.geometry(), placed);
            QVERIFY(!window.menuBar()->isHidden());
            QCOMPARE(window.toolBarArea(window.findChild<QToolBar*>("toolBar")),
                     Qt::LeftToolBarArea);
            window.showMaximized();
            QVERIFY(window.close());
        }
        QVERIFY(test::readFile(dir.file("daylark.ini")).find("WindowPos=2,3,") !=
                std::string::npos);
        {
            // Maximised again; then a placement far off every screen comes back onto
            // the screen.
            Session session(dir, kMorning);
            QVERIFY(session.window->isMaximized());
            session.window->showNormal();
            session.window->setGeometry(5000, 5000, 300, 200);
            QVERIFY(session.window->close());
        }
        Session session(dir, kMorning);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(session.window->geometry()));
        QCOMPARE(session.window->geometry().size(), QSize(300, 200));
    }

    void theDayChangesWhileTheWindowIsOpen()
    {
        test::ScopedTimeZone zone(kZone);
        test::TempDir dir;
        Session session(dir, kMorning);
        QTest::keyClicks(&session.page(), "{} water the plants");
        QTest::keyClick(&session.page(), Qt::Key_Return);
        QTest::keyClicks(&session.page(), "{x} post the letter");
        QTest::keyClick(&session.page(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!session.app.doc().isModified());

        session.clock.time = kMorning + 12 * 3600; // the same evening: nothing happens
        session.window->tick();
        QCOMPARE(session.title(), QString("Monday, March 3, 1997"));
        session.clock.time = kMorning + 86400 - (9 * 3600 + 5 * 60) + 10; // Tuesday, 00:00:10
        session.window->tick();
        QCOMPARE(session.label("clockPane")->text(), QString("12:00 AM"));
        QCOMPARE(session.title(), QString("Tuesday, March 4, 1997"));
        QCOMPARE(session.shown(), QString("{} water the plants\n"));
        QVERIFY(!session.page().isReadOnly());
    }

    void anAlarmIsAnnouncedOnceEvenWhenATickArrivesDuringItsBox()
    {
        test::ScopedTimeZone zone(kZone);
        test::TempDir dir;
        withApp(dir, [](DaylarkApp& app) {
            auto alarm = std::make_unique<CDaylarkAlarm>();
            alarm->Name = "Dentist";
            alarm->Frequency = static_cast<std::int16_t>(Frequency::Daily);
            alarm->Time = kMorning - 86400 + 25 * 60; // 9:30, from yesterday on
            app.frame().alarmFile().Load();
            app.frame().alarmFile().add(std::move(alarm));
            app.frame().alarmFile().Save();
        });
        Session session(dir, kMorning);
        QCOMPARE(session.recorder.messages.size(),
                 size_t(1)); // today's alarms, summed up
        QVERIFY(session.recorder.messages[0].text.find("Dentist") != std::string::npos);
        session.window->tick();
        QCOMPARE(session.recorder.countCaption("Alarm(s)"), 0);

        session.clock.time = kMorning + 30 * 60; // 9:35
        session.recorder.whileOpen = [&session] { session.window->tick(); };
        session.window->tick();
        session.window->tick();
        QCOMPARE(session.recorder.countCaption("Alarm(s)"), 1);
        QCOMPARE(session.recorder.messages.back().text, std::string("9:30 AM: Dentist\n"));
    }

    void aFailingSaveIsShownOnceAndClosingAsks()
    {
        test::ScopedTimeZone zone(kZone);
        test::TempDir dir;
        const std::string folder = dir.file("gone");
        const std::string dayFile = folder + "/daylark.day";
        Session session(dir, kMorning, dayFile);
        QLabel* saveState = session.label("saveState");
        const auto boxes = [&session] { return session.recorder.messages.size(); };

        QTest::keyClicks(&session.page(), "first");
        session.pause();
        QCOMPARE(boxes(), size_t(1));
        QVERIFY(session.recorder.messages[0].text.find("saving daylark.day") != std::string::npos);
        QVERIFY(!saveState->isHidden());
        QTest::keyClicks(&session.page(), " second");
        session.pause(); // retried quietly
        session.window->tick();
        QCOMPARE(boxes(), size_t(1));
        QTest::keyClick(&session.page(), Qt::Key_S,
                        Qt::ControlModifier); // asked for: shown again
        QCOMPARE(boxes(), size_t(2));

        QVERIFY(!session.window->close()); // the question is answered Cancel
        QCOMPARE(session.recorder.messages.back().buttons, MessageButtons::YesNoCancel);
        QVERIFY(session.window->isVisible());

        QCOMPARE(::mkdir(folder.c_str(), 0700), 0);
        QTest::keyClicks(&session.page(), "!");
        session.pause();
        QVERIFY(saveState->isHidden());
        QCOMPARE(savedPage(dir, dayFile), std::string("first second!"));
        const size_t before = boxes();
        QVERIFY(session.window->close());
        QCOMPARE(boxes(), before);
    }

    void aSecondStartOnTheSameDataIsRefused()
    {
        test::TempDir dir;
        SingleInstance running(dir.path());
        QCOMPARE(running.start(std::chrono::milliseconds(0)), SingleInstance::Start::First);
        QSignalSpy asked(&running, &SingleInstance::activationRequested);
        {
            SingleInstance second(dir.path());
            QCOMPARE(second.start(std::chrono::milliseconds(0)),
                     SingleInstance::Start::BroughtForward);
        }
        QTRY_COMPARE(asked.count(), 1);
        // The writing daylark-cli commands are kept out by the same lock.
        int error = 0;
        QVERIFY(!DataDirLock::acquire(dir.path(), std::chrono::milliseconds(0), &error));
        QCOMPARE(error, EWOULDBLOCK);
    }
};

} // namespace daylark

QTEST_MAIN(daylark::MainWindowTest)
#include "MainWindowTest.moc"
