#include "app/SaveAndClose.h"

#include "app/DaylarkApp.h"
#include "support/DataSetTestFiles.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace daylark::test {
namespace {

constexpr std::int64_t kMorning = 857397900; // Monday 3 March 1997, 9:05 in New York

/// The program's core with today's page in `dayFile`, and the window's save policy over it.
struct Program
{
    explicit Program(const std::string& dayFile = {})
        : app(Locations::resolve({dir.file("data"), dir.file("daylark.ini"), dayFile},
                                 [](const char*) -> const char* { return nullptr; }),
              sink, clock)
    {
        app.start();
        app.frame().InitialShow(WindowPlacement::kShowNormal);
    }
    void type(const std::string& text)
    {
        app.doc().pageText().setText(text);
        app.doc().pageText().setModified(true);
    }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    RecordingSink boxes;
    QuietRetrySink sink{boxes};
    FixedClock clock{kMorning};
    DaylarkApp app;
    int changes = 0;
    SaveAndClose saver{app, sink, [this] { ++changes; }};
    SaveAndClose::WindowState window{*WindowPlacement::parse("0,1,-1,-1,-1,-1,60,70,560,470"),
                                     false, CMainFrame::DockSide::Left};
};

TEST(SaveAndClose, AFailingSaveIsShownOnceAndClosingAsksUntilItSucceeds)
{
    TempDir place;
    const std::string folder = place.file("gone");
    Program run(folder + "/daylark.day");
    run.type("first");
    EXPECT_TRUE(run.saver.IdleSave());
    ASSERT_EQ(run.boxes.messages.size(), 1u);
    EXPECT_NE(run.boxes.messages[0].text.find("saving daylark.day"), std::string::npos);
    EXPECT_TRUE(run.saver.retryDue());
    EXPECT_TRUE(run.saver.IdleSave()); // the tick's retry does not show it again
    EXPECT_EQ(run.boxes.messages.size(), 1u);
    EXPECT_FALSE(run.saver.SavePage(QuietRetrySink::Retry::Loud)); // Save Now shows it
    EXPECT_EQ(run.boxes.messages.size(), 2u);
    // A save while a past day is shown leaves today's text, and so the failure, standing.
    filePages(run.app.locations().archivePath(1997), {{"1997-03-02", "Sunday"}}, run.clock);
    run.app.view().BackwardDay();
    ASSERT_TRUE(run.app.view().showsPastDay());
    EXPECT_FALSE(run.saver.SavePage(QuietRetrySink::Retry::Loud));
    EXPECT_TRUE(run.saver.retryDue());
    EXPECT_EQ(run.boxes.messages.size(), 2u);

    // Closing asks; only Yes closes and loses the unsaved text.
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::No}) {
        run.boxes.answers.push_back(answer);
        EXPECT_FALSE(run.saver.Close(run.window));
        EXPECT_FALSE(run.saver.closed());
        const auto& question = run.boxes.messages.back();
        EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(question.text.rfind("Today's page could not be saved:\n\n" +
                                          run.boxes.messages[0].text + "\n\nClose Daylark anyway?",
                                      0),
                  0u)
            << question.text;
    }

    // Once the folder is back, closing saves without a question.
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    const std::size_t boxesBefore = run.boxes.messages.size();
    EXPECT_TRUE(run.saver.Close(run.window));
    EXPECT_EQ(run.boxes.messages.size(), boxesBefore);
    EXPECT_FALSE(run.saver.retryDue());
    EXPECT_EQ(readDayFile(folder + "/daylark.day").text, "first");

    // A closed window saves nothing more, whatever ends the program.
    run.type("after the close");
    run.saver.SessionEnd(run.window);
    run.saver.Quit(run.window);
    EXPECT_TRUE(run.saver.Close(run.window));
    EXPECT_EQ(readDayFile(folder + "/daylark.day").text, "first");

    Program failing(place.file("also gone") + "/daylark.day");
    failing.type("lost");
    failing.boxes.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(failing.saver.Close(failing.window));
    EXPECT_TRUE(failing.saver.closed());
}

TEST(SaveAndClose, TheSessionEndSavesSettingsAndTodayWhileBrowsingAndTheWindowGoesOn)
{
    Program run;
    filePages(run.app.locations().archivePath(1997), {{"1997-03-02", "Sunday"}}, run.clock);
    run.app.frame().ToggleMenu(); // the menu bar is on show
    ASSERT_TRUE(run.app.frame().menuShown());
    run.type("morning");
    ASSERT_TRUE(run.saver.SavePage(QuietRetrySink::Retry::Loud));
    run.type("today's words");
    run.app.view().BackwardDay();
    ASSERT_TRUE(run.app.view().showsPastDay());

    // While a past day is shown, today's text waits for the view to come back.
    EXPECT_TRUE(run.saver.SavePage(QuietRetrySink::Retry::Loud));
    EXPECT_EQ(readDayFile(run.app.locations().dayFile()).text, "morning");

    const int changesBefore = run.changes;
    run.saver.SessionEnd(run.window);
    EXPECT_FALSE(run.app.view().showsPastDay());
    EXPECT_GT(run.changes, changesBefore); // the window shows today again
    EXPECT_EQ(readDayFile(run.app.locations().dayFile()).text, "today's words");
    const std::string profile = readFile(run.dir.file("daylark.ini"));
    for (const char* line :
         {"WindowPos=0,1,-1,-1,-1,-1,60,70,560,470", "DockSide=59420", "Menu=yes"}) {
        EXPECT_NE(profile.find(line), std::string::npos) << line;
    }
    EXPECT_TRUE(run.app.frame().menuShown()); // a session end may be cancelled: it stays
    EXPECT_FALSE(run.saver.closed());

    run.type("written after the session end was cancelled");
    run.saver.Quit(run.window);
    EXPECT_TRUE(run.saver.closed());
    EXPECT_EQ(readDayFile(run.app.locations().dayFile()).text,
              "written after the session end was cancelled");
}

TEST(SaveAndClose, APauseDuringABoxOfASaveWaitsForTheNextPause)
{
    TempDir place;
    Program run(place.file("gone") + "/daylark.day");
    run.type("text");
    bool ranInsideTheBox = true;
    run.boxes.whileOpen = [&run, &ranInsideTheBox] { ranInsideTheBox = run.saver.IdleSave(); };
    EXPECT_TRUE(run.saver.IdleSave());
    EXPECT_FALSE(ranInsideTheBox);
    EXPECT_EQ(run.boxes.messages.size(), 1u);
    EXPECT_FALSE(run.saver.saving());
}

} // namespace
} // namespace daylark::test
