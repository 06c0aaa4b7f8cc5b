#include "cli/CliTestSupport.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

TEST(RecordCommands, AlarmsAreAddedListedByDayAndRemoved)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli; // now: Monday 3 March 1997, 9:05 in the morning here
    EXPECT_EQ(cli.run({"alarm", "add", "Dentist", "--at", "1997-03-03 09:30"}).status, 0);
    EXPECT_EQ(cli.run({"alarm", "add", "Gym", "--at=1997-03-04 18:00", "--every", "weekly",
                       "--no-box", "--hidden"})
                  .status,
              0);
    EXPECT_EQ(cli.run({"alarms"}).out, "09:30 once Dentist\n");
    EXPECT_EQ(cli.run({"alarms", "1997-02-25"}).out, "18:00 weekly Gym\n");
    EXPECT_EQ(recordsOf<CAlarmFile>(cli.dir.file("data/daylark.alm")),
              (std::vector<std::string>{"1997-03-03 09:30 Dentist v101 f0 101",
                                        "1997-03-04 18:00 Gym v101 f2 000"}));

    EXPECT_EQ(cli.run({"alarm", "rm", "Gym", "--on", "1997-03-10"}).status, 1); // a Monday
    EXPECT_EQ(cli.run({"alarm", "rm", "Gym", "--on", "1997-03-11"}).status, 0);
    EXPECT_EQ(cli.run({"alarms", "1997-03-11"}).out, "");
    EXPECT_EQ(cli.run({"alarms"}).out, "09:30 once Dentist\n");
}

TEST(RecordCommands, BadDatesAndTimesAreRefusedWithoutTouchingTheData)
{
    ScopedTimeZone zone(kEastern);
    const std::vector<std::vector<std::string>> refused = {
        {"alarm", "add", "X", "--at", "1997-02-30 10:00"},
        {"alarm", "add", "X", "--at", "1997-03-03"},
        {"alarm", "add", "X", "--at", "2038-06-01 10:00"},
        {"alarm", "add", "X", "--at", "1997-03-03 10:00", "--every", "fortnightly"},
        {"alarm", "add", "X", "--at", "1997-03-03 09:04"}, // once, and its time has passed
        {"alarm", "add", "--at", "1997-03-03 10:00"},
        {"alarm", "rm", "X", "--on", "1997-13-01"},
        {"alarm", "rm", "X"},
        {"alarms", "3/3/1997"},
        {"note", "1997-03-03", "today is too soon"},
        {"note", "1901-01-01"},
        {"note", "2040-01-01", "too late"},
        {"list", "", "no name"},
    };
    for (const auto& args : refused) {
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args.back());
        CliHarness cli;
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(fileExists(cli.dir.file("data")));
    }
}

TEST(RecordCommands, NotesAndListsAreSetPrintedAndRemoved)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli;
    EXPECT_EQ(cli.run({"note", "1997-03-05"}).status, 1);
    EXPECT_EQ(cli.run({"note", "1997-03-05", "Buy", "milk"}).status, 0);
    EXPECT_EQ(cli.run({"note", "1997-03-05", "-"}, "first\nsecond\n").status, 0);
    EXPECT_EQ(cli.run({"note", "1997-03-05"}).out, "first\r\nsecond");
    EXPECT_EQ(cli.run({"note", "1997-03-05", ""}).status, 0);
    EXPECT_EQ(cli.run({"note", "1997-03-05"}).status, 1);

    const std::int64_t made = cli.clock.now();
    EXPECT_EQ(cli.run({"list", "Shopping", "{}", "milk"}).status, 0);
    EXPECT_EQ(cli.run({"list", "Books", "-"}, "Dune\n").status, 0);
    cli.clock.advance(3600);
    EXPECT_EQ(cli.run({"list", "Shopping", "{x}", "milk"}).status, 0);
    EXPECT_EQ(cli.run({"list"}).out, "Shopping\nBooks\n");
    EXPECT_EQ(cli.run({"list", "Shopping"}).out, "{x} milk");
    EXPECT_EQ(cli.run({"list", "shopping"}).status, 1);
    RecordingSink sink;
    CTodoFile lists(cli.dir.file("data/daylark.tdl"), sink);
    lists.Load();
    ASSERT_EQ(lists.records().size(), 2u);
    EXPECT_EQ(lists.records()[0]->Version, 100u);
    EXPECT_EQ(lists.records()[0]->Created, made);
    EXPECT_EQ(lists.records()[0]->LastChanged, made + 3600);
}

TEST(RecordCommands, AFileThatDoesNotReadIsNotWrittenOver)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli;
    ASSERT_EQ(cli.run({"alarm", "add", "Dentist", "--at", "1997-03-03 09:30"}).status, 0);
    const std::string path = cli.dir.file("data/daylark.alm");
    const std::string cut = readFile(path).substr(0, 30);
    writeFile(path, cut);

    const CliRun run = cli.run({"alarm", "add", "Tea", "--at", "1997-03-03 16:00"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Archive Exception, 3, reading Alarm"), std::string::npos) << run.err;
    EXPECT_EQ(readFile(path), cut);
    EXPECT_EQ(cli.run({"alarms"}).status, 1);
}

// A command that only reads reports a damaged file and writes nothing; the first command that
// could write over it copies it aside, once, and every later report names that copy.
TEST(RecordCommands, ADamagedFileIsCopiedAsideOnceAndNeverByAReader)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli;
    ASSERT_EQ(cli.run({"alarm", "add", "Dentist", "--at", "1997-03-03 09:30"}).status, 0);
    ASSERT_EQ(cli.run({"list", "Shopping", "{}", "milk"}).status, 0);
    const std::string data = cli.dir.file("data");
    for (const char* name : {"daylark.alm", "daylark.tdl"}) {
        const std::string path = data + "/" + name;
        writeFile(path, readFile(path).substr(0, 30));
    }
    const std::vector<std::string> before = namesIn(data);
    const std::vector<std::vector<std::string>> readers = {
        {"alarms"}, {"calendar"}, {"search", "milk"}, {"list"}, {"list", "Shopping"}};
    for (const auto& args : readers) {
        SCOPED_TRACE(args.back());
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Archive Exception, 3"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("left as it is"), std::string::npos) << run.err;
        EXPECT_EQ(namesIn(data), before);
    }

    const std::string copy = data + "/daylark.alm.damaged.000";
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        const CliRun run = cli.run({"alarm", "add", "Tea", "--at", "1997-03-03 16:00"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("kept in " + copy + "."), std::string::npos) << run.err;
    }
    const CliRun run = cli.run({"alarms"});
    EXPECT_NE(run.err.find("kept in " + copy + "."), std::string::npos) << run.err;
    EXPECT_EQ(readFile(copy), readFile(data + "/daylark.alm"));
    EXPECT_FALSE(fileExists(data + "/daylark.alm.damaged.001"));
}

} // namespace
} // namespace daylark::test
