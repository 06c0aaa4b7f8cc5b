#include "platform/FileSystem.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "sync/ConflictCopies.h"
#include "sync/SyncHistory.h"
#include "sync/SyncTestData.h"
#include "sync/Synchronize.h"
#include "sync/TextSince.h"

#include <gtest/gtest.h>

#include <algorithm>

// Several data sets taking turns through one shared folder: what one removes stays removed,
// an earlier day's page is filed under its own date, and conflict copies are merged in.
namespace daylark::test {
namespace {

using Lines = std::vector<std::string>;
constexpr std::int64_t kDay = 86400;

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

TEST(TextSinceTest, RemovalsOfOneSideWinOverUnchangedLinesOnly)
{
    const std::string base = "{} milk\r\n{x} bread\r\nkeep\r\nold wording\r\n";
    // Ours filed the done line and reworded a line; theirs removed that line and added one.
    const std::string ours = "{} milk\r\nkeep\r\nnew wording\r\n";
    const std::string theirs = "{} milk\r\n{x} bread\r\nkeep\r\neggs\r\n";
    const std::string merged = MergeTextSince(base, ours, theirs);
    EXPECT_EQ(count(merged, "milk"), 1u);
    EXPECT_EQ(count(merged, "bread"), 0u);
    EXPECT_EQ(count(merged, "keep"), 1u);
    EXPECT_EQ(count(merged, "new wording"), 1u);
    EXPECT_EQ(count(merged, "old wording"), 0u);
    EXPECT_EQ(count(merged, "eggs"), 1u);
    // A line ticked on one side and removed on the other is kept, ticked.
    EXPECT_EQ(MergeTextSince("{} call\r\n", "{x} call\r\n", ""), "{x} call\r\n");
    // One of two equal lines removed on one side: one stays.
    EXPECT_EQ(count(MergeTextSince("a\r\na\r\nb\r\n", "a\r\nb\r\n", "a\r\na\r\nb\r\n"), "a"), 1u);

    EXPECT_EQ(LinesAddedSince(base, "{} milk\r\n{x} bread\r\n"), "");
    EXPECT_EQ(LinesAddedSince(base, "{} milk\r\n{x} milk\r\nnew\r\n"), "{x} milk\r\nnew\r\n");
}

TEST(ConflictCopiesTest, CopiesOfEveryDataFileAreFoundAndSetAside)
{
    TempDir tmp;
    const std::string dir = tmp.file("shared");
    createDirectories(dir);
    for (const char* name :
         {"daylark.sync-conflict-19970304-100000-LAPTOP.fut",
          "Daylark (conflicted copy 1997-03-04 "
          "100000).TDL",
          "1997.sync-conflict-19970304-100000-LAPTOP.dlk", "daylark.fut",
          "daylark.sync-conflict-.fut", "notes.sync-conflict-19970304-100000-LAPTOP.fut",
          "1994.sync-conflict-1-2-X.dlk"}) {
        writeFile(joinPath(dir, name), "x");
    }
    const auto copies = FindConflictCopies(dir, 1997);
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copies[0].dataName, "1997.dlk");
    EXPECT_EQ(copies[1].dataName, "daylark.tdl");
    EXPECT_EQ(copies[2].dataName, "daylark.fut");

    RecordingSink sink;
    ASSERT_TRUE(SetConflictCopyAside(copies[0].path, sink));
    writeFile(copies[0].path, "y"); // another copy of the same name comes later
    ASSERT_TRUE(SetConflictCopyAside(copies[0].path, sink));
    EXPECT_EQ(namesIn(joinPath(dir, kConflictsMergedFolder)),
              (Lines{"1997.sync-conflict-19970304-100000-LAPTOP.dlk",
                     "1997.sync-conflict-19970304-100000-LAPTOP.dlk.000"}));
    EXPECT_TRUE(sink.messages.empty());
}

/// A machine with its own data set, and the shared folder they all synchronise with.
class SharedFolderTest : public ::testing::Test
{
protected:
    struct Machine
    {
        std::string dir;
        std::string profile;
    };

    SharedFolderTest()
    {
        for (const char* name : {"A", "B", "C"}) {
            machines.push_back({tmp.file(name), tmp.file(std::string(name) + ".ini")});
            createDirectories(machines.back().dir);
        }
        createDirectories(folder);
    }

    /// One sitting at a machine: the program starts (filing the page of a day that is over),
    /// `work` runs, and the data set is synchronised with the folder.
    void sitting(const Machine& machine, const std::function<void(DaylarkApp&)>& work = {})
    {
        auto app = startApp(machine.dir, machine.profile, sink, clock);
        app->doc().CheckDay();
        if (work) {
            work(*app);
        }
        app->doc().setModified(true);
        ASSERT_TRUE(app->doc().SaveModified());
        ASSERT_EQ(Synchronize(sideOf(*app), folder + "/", true, true), 1);
    }

    static std::function<void(DaylarkApp&)> write(const std::string& line)
    {
        return [line](DaylarkApp& app) { app.doc().pageText().appendText("\r\n" + line + "\r\n"); };
    }

    /// Day one: A holds a note due tomorrow, a list with a done line and two alarms, then each
    /// machine writes a line and synchronises, and A deletes an alarm.
    void dayOne()
    {
        const std::string a = machines[0].dir;
        saveRecords<CFutureFile>(a + "/daylark.fut", note("1997-03-04", "dentist at 10"),
                                 note("1997-04-01", "pay rent"));
        saveRecords<CTodoFile>(a + "/daylark.tdl", list("Shopping", "{} milk\r\n{x} bread\r\n"));
        saveRecords<CAlarmFile>(a + "/daylark.alm",
                                alarm("Gym", "1997-03-05 18:00", Frequency::Weekly),
                                alarm("Old", "1997-03-01 07:00", Frequency::Daily));
        writeDayFile(folder + "/daylark.day", {2, kNow, 0, ""});
        for (std::size_t i = 0; i < machines.size(); ++i) {
            writeDayFile(machines[i].dir + "/daylark.day", {2, kNow, 0, ""});
            sitting(machines[i], write(std::string(1, char('A' + i)) + " wrote this"));
        }
        sitting(machines[0], [](DaylarkApp& app) {
            CAlarmFile& alarms = app.frame().alarmFile();
            alarms.Load();
            for (const auto& held : alarms.records()) {
                if (held->Name == "Old") {
                    alarms.remove(held.get());
                    break;
                }
            }
            alarms.Save();
            alarms.Empty();
        });
    }

    void dayTwoAndThree(const std::function<void()>& beforeB = {})
    {
        clock.advance(kDay);
        sitting(machines[0], write("A on day two"));
        if (beforeB) {
            beforeB();
        }
        for (std::size_t i = 1; i < machines.size(); ++i) {
            sitting(machines[i], write(std::string(1, char('A' + i)) + " on day two"));
        }
        clock.advance(kDay);
        for (const Machine& machine : machines) {
            sitting(machine);
        }
        sitting(machines[0]);
    }

    /// Every data set, the folder's included, holds each line once, in its place.
    void expectEverywhereOnce(const Lines& onMonday, const Lines& onTuesday, const Lines& today,
                              const Lines& alarmNames)
    {
        std::vector<std::string> dirs = {folder};
        for (const Machine& machine : machines) {
            dirs.push_back(machine.dir);
        }
        for (const std::string& dir : dirs) {
            SCOPED_TRACE(dir);
            const auto pages = pagesOf(dir + "/1997.dlk");
            ASSERT_EQ(pages.size(), 2u);
            EXPECT_EQ(pages[0].first, "1997-03-03");
            EXPECT_EQ(pages[1].first, "1997-03-04");
            const std::string page = readDayFile(dir + "/daylark.day").text;
            for (const std::string& line : onMonday) {
                EXPECT_EQ(count(pages[0].second, line), 1u) << line;
                EXPECT_EQ(count(pages[1].second + page, line), 0u) << line;
            }
            for (const std::string& line : onTuesday) {
                EXPECT_EQ(count(pages[0].second + page, line), 0u) << line;
                EXPECT_EQ(count(pages[1].second, line), 1u) << line;
            }
            for (const std::string& line : today) {
                EXPECT_EQ(count(pages[0].second + pages[1].second, line), 0u) << line;
                EXPECT_EQ(count(page, line), 1u) << line;
            }
            std::string stores;
            for (const auto& record : recordsOf<CFutureFile>(dir + "/daylark.fut")) {
                stores += record + "\n";
            }
            for (const auto& record : recordsOf<CTodoFile>(dir + "/daylark.tdl")) {
                stores += record + "\n";
            }
            EXPECT_EQ(count(stores, "dentist"), 0u) << stores;
            EXPECT_EQ(count(stores, "bread"), 0u) << stores;
            EXPECT_EQ(count(stores, "pay rent"), 1u) << stores;
            EXPECT_EQ(count(stores, "milk"), 1u) << stores;
            Lines names;
            RecordingSink quiet;
            CAlarmFile alarms(dir + "/daylark.alm", quiet);
            alarms.Load();
            for (const auto& held : alarms.records()) {
                names.push_back(held->Name);
            }
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, alarmNames);
        }
    }

    ScopedTimeZone zone{kEastern};
    TempDir tmp;
    FixedClock clock{kNow};
    RecordingSink sink;
    const std::string folder = tmp.file("shared");
    std::vector<Machine> machines;
};

// Across a change of day, each machine files the note that came due and the done list line on
// one page, and the deleted alarm goes from every machine.
TEST_F(SharedFolderTest, RemovalsStayRemovedAcrossTheMachines)
{
    dayOne();
    dayTwoAndThree();
    expectEverywhereOnce({"A wrote this", "B wrote this", "C wrote this", "{x} bread"},
                         {"A on day two", "B on day two", "C on day two", "dentist at 10"}, {},
                         {"Gym"});
    EXPECT_FALSE(fileExists(folder + "/" + kConflictsMergedFolder));
}

TEST_F(SharedFolderTest, RemovalsStayRemovedBetweenTwoMachines)
{
    machines.pop_back();
    dayOne();
    dayTwoAndThree();
    expectEverywhereOnce({"A wrote this", "B wrote this", "{x} bread"},
                         {"A on day two", "B on day two", "dentist at 10"}, {}, {"Gym"});
}

// The same with a conflict copy of each kind in the folder, written by a laptop that had not
// seen the removals yet: what the copies added reaches every machine once, what they still
// held does not come back, and they end in the folder's conflicts-merged folder.
TEST_F(SharedFolderTest, ConflictCopiesAreMergedInAndSetAside)
{
    dayOne();
    const std::string stale = tmp.file("stale");
    createDirectories(stale);
    for (const char* name : {"daylark.fut", "daylark.tdl", "daylark.alm"}) {
        ASSERT_EQ(copyFile(folder + "/" + name, stale + "/" + name), 0);
    }
    dayTwoAndThree([&] {
        const std::string laptop = folder + "/daylark.sync-conflict-19970304-100000-LAPTOP";
        const std::string nextcloud = folder + "/daylark (conflicted copy 1997-03-04 100000)";
        RecordingSink quiet;
        ASSERT_EQ(copyFile(stale + "/daylark.fut", laptop + ".fut"), 0);
        {
            CFutureFile copy(laptop + ".fut", quiet);
            copy.Load();
            copy.add(std::make_unique<CDaylarkFuture>(note("1997-03-10", "laptop note")));
            ASSERT_EQ(copy.Save(), 0);
        }
        ASSERT_EQ(copyFile(stale + "/daylark.tdl", nextcloud + ".tdl"), 0);
        {
            CTodoFile copy(nextcloud + ".tdl", quiet);
            copy.Load();
            copy.add(std::make_unique<CDaylarkTodo>(list("Laptop", "{} charger\r\n")));
            ASSERT_EQ(copy.Save(), 0);
        }
        ASSERT_EQ(copyFile(stale + "/daylark.alm", laptop + ".alm"), 0);
        {
            CAlarmFile copy(laptop + ".alm", quiet);
            copy.Load();
            copy.add(std::make_unique<CDaylarkAlarm>(
                alarm("Laptop alarm", "1997-03-06 12:00", Frequency::Weekly)));
            ASSERT_EQ(copy.Save(), 0);
        }
        filePages(folder + "/1997.sync-conflict-19970304-100000-LAPTOP.dlk",
                  {{"1997-03-03", "laptop on monday"}}, clock);
        writeDayFile(nextcloud + ".day", {2, kNow, 0, "laptop line\r\n{} laptop task\r\n"});
    });
    expectEverywhereOnce({"A wrote this", "B wrote this", "C wrote this", "{x} bread",
                          "laptop on monday", "laptop line"},
                         {"A on day two", "B on day two", "C on day two", "dentist at 10"},
                         {"{} laptop task"}, {"Gym", "Laptop alarm"});
    for (const auto& machine : machines) {
        EXPECT_EQ(
            count(recordsOf<CFutureFile>(machine.dir + "/daylark.fut").front(), "laptop note"), 1u);
        EXPECT_EQ(
            count(recordsOf<CTodoFile>(machine.dir + "/daylark.tdl").front(), "Laptop {} charger"),
            1u);
    }
    EXPECT_EQ(namesIn(folder + "/" + kConflictsMergedFolder).size(), 5u);
    EXPECT_TRUE(FindConflictCopies(folder, 1997).empty());
    EXPECT_EQ(sink.failuresShown(), 0u);
}

// A page two days older than this side's is filed under its own date on both sides; only its
// open tasks join today's page.
TEST_F(SharedFolderTest, AnOlderPageIsFiledUnderItsOwnDate)
{
    const std::string a = machines[0].dir;
    writeDayFile(folder + "/daylark.day",
                 {2, kNow - 2 * kDay, 0, "met Ann\r\n{} call Bob\r\n{x} paid\r\n"});
    saveRecords<CFutureFile>(folder + "/daylark.fut", note("1997-03-02", "due on Sunday"));
    writeDayFile(a + "/daylark.day", {2, kNow, 0, "today's line\r\n"});

    sitting(machines[0]);
    const std::vector<DatedText> filed = {{"1997-03-01", "met Ann\r\r\n{x} paid\r\r\n"}};
    EXPECT_EQ(pagesOf(folder + "/1997.dlk"), filed);
    EXPECT_EQ(pagesOf(a + "/1997.dlk"), filed);
    for (const std::string& dir : {folder, a}) {
        const DayFileContent day = readDayFile(dir + "/daylark.day");
        EXPECT_EQ(count(day.text, "today's line"), 1u);
        EXPECT_EQ(count(day.text, "{} call Bob"), 1u);
        EXPECT_EQ(count(day.text, "due on Sunday"), 1u);
        EXPECT_EQ(count(day.text, "met Ann") + count(day.text, "paid"), 0u);
        EXPECT_TRUE(sameLocalDay(day.pageDate, kNow));
        EXPECT_TRUE(recordsOf<CFutureFile>(dir + "/daylark.fut").empty());
    }
    EXPECT_TRUE(sink.messages.empty()) << sink.texts()[0];
}

// The first synchronisation with a folder joins both sides whole; so does one whose recorded
// state cannot be read, after saying so. The data directory is refused as the other side.
TEST_F(SharedFolderTest, WithoutARecordedStateBothSidesAreJoinedWhole)
{
    const std::string a = machines[0].dir;
    writeDayFile(a + "/daylark.day", {2, kNow, 0, ""});
    writeDayFile(folder + "/daylark.day", {2, kNow, 0, ""});
    saveRecords<CFutureFile>(a + "/daylark.fut", note("1997-04-01", "mine"));
    saveRecords<CFutureFile>(folder + "/daylark.fut", note("1997-04-02", "theirs"),
                             note("1997-04-03", "gone"));
    sitting(machines[0]);
    const Lines all = {"1997-04-01 mine", "1997-04-02 theirs", "1997-04-03 gone"};
    EXPECT_EQ(recordsOf<CFutureFile>(a + "/daylark.fut"), all);

    // The folder removes a note; with the state recorded, the removal reaches this side.
    saveRecords<CFutureFile>(folder + "/daylark.fut", note("1997-04-01", "mine"),
                             note("1997-04-02", "theirs"));
    sitting(machines[0]);
    EXPECT_EQ(recordsOf<CFutureFile>(a + "/daylark.fut"), Lines(all.begin(), all.end() - 1));
    EXPECT_TRUE(sink.messages.empty()) << sink.texts()[0];

    // The folder's file goes missing: it is filled again, nothing is taken as removed.
    ASSERT_EQ(removeFile(folder + "/daylark.fut"), 0);
    saveRecords<CAlarmFile>(a + "/daylark.alm",
                            alarm("Gym", "1997-03-05 18:00", Frequency::Weekly));
    sitting(machines[0]);
    ASSERT_EQ(removeFile(folder + "/daylark.alm"), 0);
    sitting(machines[0]);
    for (const std::string& dir : {a, folder}) {
        EXPECT_EQ(recordsOf<CFutureFile>(dir + "/daylark.fut"), Lines(all.begin(), all.end() - 1));
        EXPECT_EQ(recordsOf<CAlarmFile>(dir + "/daylark.alm").size(), 1u);
    }

    // A damaged record: the removal is not trusted, the note comes back, and the user is told.
    const std::string recorded = SyncHistory(a, folder, sink).recordedPath("daylark.fut");
    writeFile(recorded, std::string(40, '\xff'));
    saveRecords<CFutureFile>(folder + "/daylark.fut", note("1997-04-01", "mine"));
    sitting(machines[0]);
    EXPECT_EQ(recordsOf<CFutureFile>(a + "/daylark.fut"), Lines(all.begin(), all.end() - 1));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.texts()[0].find("cannot be read"), std::string::npos) << sink.texts()[0];
    EXPECT_NE(readFile(recorded), std::string(40, '\xff')); // recorded anew

    // Another drive at the same place (its own identity): nothing it lacks is taken as removed.
    sink.messages.clear();
    std::filesystem::remove_all(folder);
    createDirectories(folder);
    writeDayFile(folder + "/daylark.day", {2, kNow, 0, ""});
    saveRecords<CFutureFile>(folder + "/daylark.fut", note("1997-05-01", "other drive"));
    sitting(machines[0]);
    EXPECT_EQ(recordsOf<CFutureFile>(a + "/daylark.fut"),
              (Lines{"1997-04-01 mine", "1997-04-02 theirs", "1997-05-01 other drive"}));
    EXPECT_TRUE(sink.messages.empty()) << sink.texts()[0];

    auto app = startApp(a, machines[0].profile, sink, clock);
    createDirectories(a + "/inside");
    EXPECT_EQ(Synchronize(sideOf(*app), a + "/inside/", true, true), 0);
    EXPECT_EQ(Synchronize(sideOf(*app), a + "/../A/", true, true), 0);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_NE(sink.texts()[0].find("data directory"), std::string::npos);
}

} // namespace
} // namespace daylark::test
