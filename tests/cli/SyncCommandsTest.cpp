#include "cli/CliTestSupport.h"
#include "platform/FileSystem.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

class SyncCommandsTest : public ::testing::Test
{
protected:
    SyncCommandsTest()
    {
        for (const auto& dir : {data, other, empty}) {
            createDirectories(dir);
        }
        writeDayFile(data + "/daylark.day", {2, cli.clock.time, 0, "mine"});
    }

    ScopedTimeZone zone{kEastern};
    CliHarness cli;
    const std::string data = cli.dir.file("data");
    const std::string other = cli.dir.file("other");
    const std::string empty = cli.dir.file("empty");
};

/// Gives every file the same modification time, to the nanosecond.
void stampAlike(const std::vector<std::string>& paths)
{
    const auto when = std::filesystem::last_write_time(paths.front());
    for (const auto& path : paths) {
        std::filesystem::last_write_time(path, when);
    }
}

TEST_F(SyncCommandsTest, BackupGoesIntoTheDirectoryAndRefusesTheArchiveItself)
{
    writeDayFile(other + "/daylark.day", {2, cli.clock.time, 0, "theirs"});
    CliRun run = cli.run({"backup", empty, "--other", other});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readDayFile(empty + "/LocalDaylark/daylark.day").text, "mine");
    EXPECT_EQ(readDayFile(empty + "/RemoteDaylark/daylark.day").text, "theirs");

    const std::string archive = data + "/1997.dlk";
    run = cli.run({"backup", archive});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "[Daylark]\nDaylark, " + archive + " and \nBackup " + archive + "\n are the same!\n");
    EXPECT_EQ(cli.run({"backup"}).status, 2);
    EXPECT_EQ(cli.run({"backup", empty, "--lists"}).status, 2);
}

// The other set must exist and hold data files unless --new; the merged current-day page is
// taken into the document and saved.
TEST_F(SyncCommandsTest, SyncMergesWithAnExistingSetOrStartsANewOne)
{
    const struct
    {
        std::vector<std::string> args;
        int status;
        std::string err;
    } refusals[] = {
        {{"sync", cli.dir.file("nowhere")}, 1, "does not exist"},
        {{"sync", empty}, 1, "holds no Daylark data files; give --new"},
        {{"sync", empty, "--old"}, 2, "unknown option --old"},
        {{"sync", data, "--new"}, 1, "it is the data directory or a folder inside it"},
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.args.back());
        const CliRun run = cli.run(refusal.args);
        EXPECT_EQ(run.status, refusal.status);
        EXPECT_NE(run.err.find(refusal.err), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(empty));

    CliRun run = cli.run({"sync", empty, "--new", "--lists"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readDayFile(empty + "/daylark.day"), (DayFileContent{2, cli.clock.time, 1, "mine"}));

    ASSERT_EQ(cli.run({"--data-dir", other, "add", "theirs"}).status, 0);
    ASSERT_EQ(cli.run({"--data-dir", other, "alarm", "add", "Dentist", "--at", "1997-03-03 16:30"})
                  .status,
              0);
    run = cli.run({"sync", other + "/daylark.day", "--alarms"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "[Imported Alarm for Today]\n4:30 PM: Dentist\n\n");
    const std::string merged = "theirs\r\r\nmine\r\r\n";
    EXPECT_EQ(readDayFile(data + "/daylark.day"), (DayFileContent{2, cli.clock.time, 0, merged}));
    EXPECT_EQ(readDayFile(other + "/daylark.day"), (DayFileContent{2, cli.clock.time, 1, merged}));
    EXPECT_EQ(cli.run({"alarms"}).out, "16:30 once Dentist\n");
}

// Two files written within one second at the same size are still different files: a backup
// and a synchronisation compare their bytes before leaving them alone.
TEST_F(SyncCommandsTest, FilesOfTheSameTimeAndSizeAreComparedByTheirBytes)
{
    const std::string ours = data + "/daylark.tdl";
    const std::string theirs = other + "/daylark.tdl";
    writeDayFile(other + "/daylark.day", {2, cli.clock.time, 0, "mine"});
    saveRecords<CTodoFile>(ours, list("Shop", "{} milk", 5));
    saveRecords<CTodoFile>(theirs, list("Work", "{} mail", 5));
    stampAlike({ours, theirs});
    CliRun run = cli.run({"sync", other, "--lists"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> both{"Shop {} milk", "Work {} mail"};
    EXPECT_EQ(recordsOf<CTodoFile>(ours), both);
    EXPECT_EQ(recordsOf<CTodoFile>(theirs), both);

    const std::string alarms = data + "/daylark.alm";
    saveRecords<CAlarmFile>(alarms, alarm("Gym", "1997-03-05 18:00", Frequency::Weekly));
    run = cli.run({"backup", empty});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string copy = empty + "/LocalDaylark/daylark.alm";
    saveRecords<CAlarmFile>(alarms, alarm("Tea", "1997-03-05 18:00", Frequency::Weekly));
    stampAlike({alarms, copy});
    run = cli.run({"backup", empty});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(recordsOf<CAlarmFile>(copy), recordsOf<CAlarmFile>(alarms));
}

// A data file that no longer reads whole is reported and never replaces its last good copy.
TEST_F(SyncCommandsTest, ABackupKeepsTheLastGoodCopyOfADamagedFile)
{
    const std::string archive = data + "/1997.dlk";
    const std::string alarms = data + "/daylark.alm";
    filePages(archive, {{"1997-02-27", "first"}, {"1997-02-28", "second"}}, cli.clock);
    saveRecords<CAlarmFile>(alarms, alarm("Gym", "1997-03-05 18:00", Frequency::Weekly));
    ASSERT_EQ(cli.run({"backup", empty}).status, 0);
    const std::string good = readFile(archive);
    const std::string goodAlarms = readFile(alarms);

    writeFile(archive, good.substr(0, good.size() - 3));
    writeFile(alarms, goodAlarms.substr(0, goodAlarms.size() - 2));
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        const CliRun run = cli.run({"backup", empty});
        EXPECT_EQ(run.status, 1);
        for (const std::string& damaged : {archive, alarms}) {
            EXPECT_NE(run.err.find(damaged + " does not read whole, so the backup keeps its "
                                             "last copy"),
                      std::string::npos)
                << run.err;
        }
        EXPECT_EQ(readFile(empty + "/LocalDaylark/1997.dlk"), good);
        EXPECT_EQ(readFile(empty + "/LocalDaylark/daylark.alm"), goodAlarms);
    }
}

} // namespace
} // namespace daylark::test
