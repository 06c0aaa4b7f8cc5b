#include "ui/window/MainWindow.h"

#include "diary/CDaylarkPage.h"
#include "diary/CPageArchive.h"
#include "support/TimeZone.h"
#include "ui/window/HelpWindow.h"
#include "ui/window/MainWindowSession.h"

#include <QDialog>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolBar>

#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace daylark {

using namespace test;

namespace {

constexpr std::int64_t kSecondOfJanuary = 852217200; // Thursday 2 January 1997, 10:00

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void typingIsSavedAtAPauseWithEveryCharacterKept()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        // A page written elsewhere: CR CR LF groups and a Windows-1252 "é".
        withApp(dir, [](DaylarkApp& app) {
            app.doc().pageText().setText("caf\xE9\r\r\n{} tea");
            QVERIFY(app.doc().Save());
        });
        Session session(dir, kMorning);
        QVERIFY(session.active);
        QCOMPARE(session.shown(), QString::fromUtf8("caf\xC3\xA9\n{} tea"));
        QCOMPARE(session.title(), QString("Monday, March 3, 1997"));
        QCOMPARE(session.label("clockPane")->text(), QString("9:05 AM"));

        session.page().moveCursor(QTextCursor::End);
        QTest::keyClicks(&session.page(), " and cake");
        QTest::keyClick(&session.page(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(session.pause());
        QVERIFY(!session.app.doc().isModified());
        QCOMPARE(QByteArray::fromStdString(savedPage(dir)),
                 QByteArray("caf\xC3\xA9\r\n{x} tea and cake"));
        QVERIFY(session.recorder.messages.empty());
    }

    void editingKeysAndTheFontReachTheView()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        Session session(dir, kMorning);
        QVERIFY(session.active);
        PageEdit& page = session.page();
        QTest::keyClick(&page, Qt::Key_F5);
        QTest::keyClicks(&page, "tea");
        QTest::keyClick(&page, Qt::Key_Return);
        QTest::keyClicks(&page, "with lemon");
        QCOMPARE(session.shown(), QString("9:05 AM: tea\nwith lemon"));
        page.selectAll();
        QTest::keyClick(&page, Qt::Key_F4);
        QCOMPARE(session.shown(), QString("9:05 AM: tea with lemon"));
        QTest::keyClick(&page, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(session.shown(), QString("9:05 AM: tea\nwith lemon"));
        QTest::keyClick(&page, Qt::Key_Y, Qt::ControlModifier); // redo, as Ctrl+Shift+Z does
        QCOMPARE(session.shown(), QString("9:05 AM: tea with lemon"));

        session.action("actionFont")->trigger(); // cancelled: nothing changes
        QVERIFY(!QFile::exists(QString::fromStdString(dir.file("daylark.ini"))));
        QFont chosen("DejaVu Sans", 15);
        chosen.setWeight(QFont::Bold);
        session.dialogs.font = chosen;
        session.action("actionFont")->trigger();
        QCOMPARE(session.dialogs.opened, QStringList({"font", "font"}));
        QCOMPARE(page.font().pointSizeF(), 15.0);
        QVERIFY(test::readFile(dir.file("daylark.ini"))
                    .find("Font=-20,0,0,0,700,0,0,0,0,0,0,0,0,DejaVu Sans") != std::string::npos);

        // F1: the user guide, with its pictures.
        QTest::keyClick(&page, Qt::Key_F1);
        auto* guide = test::child<QTextBrowser>(*session.window, "helpBrowser");
        QVERIFY(guide->toPlainText().contains("The calendar"));
        const QVariant picture =
            guide->loadResource(QTextDocument::ImageResource, QUrl("images/calendar.png"));
        QVERIFY(!QImage::fromData(picture.toByteArray()).isNull());

        // F1 in a dialog: the guide at its section, in a window above it.
        QDialog calendar(session.window.get());
        calendar.setObjectName("calendar");
        calendar.show();
        calendar.activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == &calendar);
        QTest::keyClick(&calendar, Qt::Key_F1);
        auto* help = calendar.findChild<HelpWindow*>();
        QVERIFY(help != nullptr && help->isVisible());
        auto* section = test::child<QTextBrowser>(*help, "helpBrowser");
        QVERIFY(section->verticalScrollBar()->value() > 0);
        QVERIFY(help->showSection(HelpWindow::sectionFor("listDialog")));
        QVERIFY(!help->showSection("No such section"));
    }

    void steppingBackAcrossNewYearAndForwardKeepsTodaysText()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        Session session(dir, kSecondOfJanuary);
        QVERIFY(session.active);
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
        QTest::keyClick(&page, Qt::Key_Left);
        QTest::keyClick(&page, Qt::Key_Left, Qt::ShiftModifier); // "d" selected
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
        // The caret and the undo history are as they were.
        QCOMPARE(page.textCursor().selectedText(), QString("d"));
        QVERIFY(page.document()->isUndoAvailable());
        QVERIFY(session.pause()); // the edit made before stepping back is still saved
        QCOMPARE(savedPage(dir), std::string("today's words"));
        page.undo();
        QVERIFY(session.shown().length() < QString("today's words").length());
    }

    void menuToolbarAndPlacementComeBackFromTheProfile()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        const QRect placed(60, 70, 500, 400);
        {
            Session session(dir, kMorning);
            QVERIFY(session.active);
            MainWindow& window = *session.window;
            auto* toolBar = test::child<QToolBar>(window, "toolBar");
            QAction* toolBarToggle = session.action("actionToolBar");
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
            QVERIFY(session.active);
            MainWindow& window = *session.window;
            QCOMPARE(window.geometry(), placed);
            QVERIFY(!window.menuBar()->isHidden());
            QCOMPARE(window.toolBarArea(test::child<QToolBar>(window, "toolBar")),
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
            QVERIFY(session.active);
            QVERIFY(session.window->isMaximized());
            session.window->showNormal();
            session.window->setGeometry(5000, 5000, 300, 200);
            QVERIFY(session.window->close());
        }
        Session session(dir, kMorning);
        QVERIFY(session.active);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(session.window->geometry()));
        QCOMPARE(session.window->geometry().size(), QSize(300, 200));
    }

    void theDayChangesWhileTheWindowIsOpen()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        Session session(dir, kMorning);
        QVERIFY(session.active);
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

    // The disk is full when the day changes: the page stays on its own day, typing goes on
    // there, and the next tick after the disk has room files it under that day.
    void aPageThatCannotBeFiledStaysOnItsDay()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        withApp(dir, [](DaylarkApp& app) {
            app.doc().pageText().setText("monday's words");
            QVERIFY(app.doc().Save());
        });
        const std::string archive = dir.file("data/1997.dlk");
        QCOMPARE(::symlink("/dev/full", archive.c_str()), 0);
        const std::int64_t tuesday = kMorning + 86400;
        Session session(dir, tuesday);
        QVERIFY(session.active);
        QCOMPARE(session.title(), QString("Monday, March 3, 1997"));
        QCOMPARE(session.recorder.messages.size(), size_t(1));
        const std::string& message = session.recorder.messages[0].text;
        QVERIFY2(message.find("could not be filed") != std::string::npos, message.c_str());
        QVERIFY2(message.find("archiving page") != std::string::npos, message.c_str());

        session.page().moveCursor(QTextCursor::End);
        QTest::keyClicks(&session.page(), ", more");
        QVERIFY(session.pause());
        QCOMPARE(session.app.doc().pageDate(), kMorning);
        session.window->tick();
        QCOMPARE(session.title(), QString("Monday, March 3, 1997"));
        QCOMPARE(session.recorder.messages.size(), size_t(2)); // no second box
        QVERIFY(session.recorder.messages[1].isNotification);

        QCOMPARE(::unlink(archive.c_str()), 0);
        session.clock.advance(15);
        session.window->tick();
        QCOMPARE(session.title(), QString("Tuesday, March 4, 1997"));
        CPageArchive filed(archive, session.recorder, session.clock);
        QCOMPARE(filed.LoadAllPages(), size_t(1));
        QCOMPARE(filed.pages()[0]->Date, kMorning);
        QCOMPARE(filed.pages()[0]->Text, std::string("monday's words, more"));
    }

    // The clock was a year ahead when the page was started: the window asks, and Yes moves the
    // page to today.
    void aPageDatedAheadOfTheClockIsMovedToTodayOnYes()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        constexpr std::int64_t kYearAhead = kMorning + 366 * 86400;
        withApp(dir, [](DaylarkApp& app) {
            app.doc().setPageDate(kYearAhead);
            app.doc().pageText().setText("words");
            QVERIFY(app.doc().Save());
        });
        Session session(dir, kMorning, {}, {}, {MessageAnswer::Yes});
        QVERIFY(session.active);
        QCOMPARE(session.recorder.messages.size(), size_t(1));
        QCOMPARE(session.recorder.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(session.title(), QString("Monday, March 3, 1997"));
        QCOMPARE(session.shown(), QString("words"));
        QCOMPARE(session.app.doc().pageDate(), kMorning);
    }

    void aFailingSaveIsMarkedAndClosingAsks()
    {
        test::ScopedTimeZone zone(kEastern);
        test::TempDir dir;
        const std::string folder = dir.file("gone");
        const std::string dayFile = folder + "/daylark.day";
        Session session(dir, kMorning, dayFile);
        QVERIFY(session.active);
        QLabel* saveState = session.label("saveState");

        QTest::keyClicks(&session.page(), "first");
        QVERIFY(session.pause());
        QCOMPARE(session.recorder.messages.size(), size_t(1));
        QVERIFY(!saveState->isHidden());
        QVERIFY(saveState->toolTip().contains("saving daylark.day"));
        QVERIFY(!session.window->close()); // the question is answered Cancel
        QCOMPARE(session.recorder.messages.back().buttons, MessageButtons::YesNoCancel);
        QVERIFY(session.window->isVisible());

        QCOMPARE(::mkdir(folder.c_str(), 0700), 0);
        QTest::keyClicks(&session.page(), " second");
        QVERIFY(session.pause());
        QVERIFY(saveState->isHidden());
        QCOMPARE(savedPage(dir, dayFile), std::string("first second"));
        QVERIFY(session.window->close());
    }
};

} // namespace daylark

QTEST_MAIN(daylark::MainWindowTest)
#include "MainWindowTest.moc"
