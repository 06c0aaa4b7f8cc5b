#include "cli/CliTestSupport.h"
#include "platform/DataDirLock.h"
#include "platform/FileSystem.h"
#include "support/TimeZone.h"
#include "support/WholeDataSet.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

class CheckCommandTest : public ::testing::Test
{
protected:
    CheckCommandTest()
    {
        createDirectories(data);
        writeWholeDataSet(data);
    }

    ScopedTimeZone zone{kEastern};
    CliHarness cli;
    const std::string data = cli.dir.file("data");
};

TEST_F(CheckCommandTest, ListsEveryDataFileInNameOrderAndRepairsUntilTheSetIsWhole)
{
    const auto starts = entryStarts(data + "/1997.dlk");
    const std::string archive = readFile(data + "/1997.dlk");
    writeFile(data + "/1997.dlk", archive.substr(0, static_cast<std::size_t>(starts[3]) + 5));
    writeFile(data + "/.daylark.fut.tmp-x1Y2z3", "half a save");
    writeFile(data + "/1996.torn.000", "cut");
    writeFile(data + "/README", "not a data file");

    CliRun run = cli.run({"check"});
    EXPECT_EQ(run.status, 1) << run.err;
    const std::string tornAt = std::to_string(starts[3]);
    EXPECT_EQ(run.out, ".daylark.fut.tmp-x1Y2z3: damaged: a leftover temporary file of a save of "
                       "daylark.fut\n"
                       "1996.torn.000: set aside\n"
                       "1997.dlk: damaged: a torn tail of 5 bytes at offset " +
                           tornAt +
                           "\n"
                           "daylark.alm: ok (3 alarms)\n"
                           "daylark.day: ok (19 bytes of text)\n"
                           "daylark.fut: ok (2 notes)\n"
                           "daylark.tdl: ok (2 lists)\n");

    run = cli.run({"check", "--repair"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(".daylark.fut.tmp-x1Y2z3: repaired: a leftover temporary file of a "
                           "save of daylark.fut: moved to daylark.fut.damaged.000\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1997.dlk: repaired: a torn tail of 5 bytes at offset " + tornAt +
                           ": moved to 1997.torn.000\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(readFile(data + "/1997.torn.000"), archive.substr(starts[3], 5));

    run = cli.run({"check"});
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("1997.dlk: ok (3 pages)\n1997.torn.000: set aside\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("daylark.fut.damaged.000: set aside\n"), std::string::npos);
}

TEST_F(CheckCommandTest, RepairTakesTheLockAndTheCheckAloneDoesNot)
{
    writeFile(data + "/1997.001", "a merge cut short");
    const auto held = DataDirLock::acquire(data, std::chrono::milliseconds(0));
    ASSERT_TRUE(held);
    cli.lockWait = std::chrono::milliseconds(0);

    CliRun run = cli.run({"check"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("1997.001: damaged: a leftover temporary file of a merge of 1997.dlk"),
              std::string::npos);
    run = cli.run({"check", "--repair"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Daylark is running on " + data + "; close it first.\n");
    EXPECT_TRUE(fileExists(data + "/1997.001"));
}

TEST_F(CheckCommandTest, BadUsageAndAMissingDataDirectory)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"check", "now"}, {"check", "--fix"}}) {
        EXPECT_EQ(cli.run(args).status, 2) << args[1];
    }
    const CliRun run = cli.run({"--data-dir", cli.dir.file("nowhere"), "check"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no data directory"), std::string::npos);
    EXPECT_NE(cli.run({"--help"}).out.find("check [--repair]"), std::string::npos);
}

} // namespace
} // namespace daylark::test
