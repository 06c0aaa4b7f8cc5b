#include "cli/CliSupport.h"

#include "cli/CliTestSupport.h"
#include "platform/FileSystem.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace daylark::test {
namespace {

/// Every file under `root` with its bytes.
std::map<std::string, std::string> filesUnder(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[entry.path().string()] = readFile(entry.path().string());
        }
    }
    return files;
}

// While the desktop program runs on the data directory, every command that writes gives up at
// once (a wait of 0) and leaves this data set and the other one as they were; the commands
// that only read go on.
TEST(CliLock, WritingCommandsRefuseWhileAnotherProgramHoldsTheDataDirectory)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli;
    const std::string data = cli.dir.file("data");
    const std::string other = cli.dir.file("other");
    const std::string backup = cli.dir.file("backup");
    for (const auto& dir : {data, other, backup}) {
        createDirectories(dir);
    }
    writeDayFile(data + "/daylark.day", {2, cli.clock.time, 0, "mine"});
    writeDayFile(other + "/daylark.day", {2, cli.clock.time, 0, "theirs"});
    ASSERT_EQ(cli.run({"alarm", "add", "Dentist", "--at", "1997-03-10 09:30"}).status, 0);
    ASSERT_EQ(cli.run({"note", "1997-03-10", "Call", "Mum"}).status, 0);
    ASSERT_EQ(cli.run({"list", "Shopping", "milk"}).status, 0);
    cli.clock.advance(86400); // today, add, backup and sync would file Monday's page first

    const auto held = DataDirLock::acquire(data, std::chrono::milliseconds(0));
    ASSERT_TRUE(held);
    cli.lockWait = std::chrono::milliseconds(0);
    const std::vector<std::vector<std::string>> writing = {
        {"today"},
        {"add", "more"},
        {"backup", backup},
        {"sync", other},
        {"alarm", "add", "Gym", "--at", "1997-03-05 18:00"},
        {"alarm", "rm", "Dentist", "--on", "1997-03-10"},
        {"note", "1997-03-10", "Call", "Dad"},
        {"list", "Shopping", "bread"},
    };
    for (const auto& args : writing) {
        SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : ""));
        const auto before = filesUnder(cli.dir.path());
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Daylark is running on " + data + "; close it first.\n");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(filesUnder(cli.dir.path()), before);
    }

    const std::vector<std::vector<std::string>> reading = {{"alarms", "1997-03-10"},
                                                           {"note", "1997-03-10"},
                                                           {"list", "Shopping"},
                                                           {"list"},
                                                           {"calendar", "1997-03"}};
    for (const auto& args : reading) {
        SCOPED_TRACE(args[0]);
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out, "");
    }
}

} // namespace
} // namespace daylark::test
