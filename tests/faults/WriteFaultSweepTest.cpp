#include "cli/CliTestSupport.h"
#include "faults/FaultDataSets.h"
#include "platform/Exceptions.h"
#include "platform/Profile.h"
#include "support/FailingWrites.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace daylark::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

/// One kind of write, as a user starts it: the data set it starts from (under the root, the
/// data directory is "data") and the command that writes.
struct WriteKind
{
    const char* name;
    std::function<void(const std::string& root)> setUp;
    std::function<std::vector<std::string>(const std::string& root)> args;
    std::int64_t daysLater = 0; ///< the clock moved on by this many days (a change of day)
};

/// Whether a change of day may have moved lines between files: the current page then keeps
/// its text and may have more lines at its end (the removed alarms of a day not filed).
bool isDayChange(const WriteKind& kind)
{
    return kind.daysLater != 0;
}

/// The ways each call fails in the sweep: a Write as a disk that fills before its first byte,
/// after one byte and one byte short of its end, and as an I/O error; an fsync and a cut as an
/// I/O error; the other calls as a full disk.
std::vector<WriteFault> faultsFor(const FailingWrites::Call& call)
{
    switch (call.call) {
    case WriteCall::Write:
        return {{ENOSPC, 0}, {ENOSPC, 1}, {ENOSPC, call.size == 0 ? 0 : call.size - 1}, {EIO, 0}};
    case WriteCall::Sync:
    case WriteCall::Truncate:
    case WriteCall::Remove:
        return {{EIO, 0}};
    case WriteCall::Rename:
        return {{EIO, 0}, {ENOSPC, 0}};
    case WriteCall::Open:
    case WriteCall::MakeDirectory:
        return {{ENOSPC, 0}};
    }
    return {};
}

/// Whether `message` names the cause of `error` in one of the ways Daylark reports a file
/// failure: the cause text of its code, the system's text, or "Error <errno>".
bool namesCause(const std::string& message, int error)
{
    const std::string causeText(fileCauseText(CFileException::causeFromErrno(error)));
    return message.find(causeText) != std::string::npos ||
           message.find(std::strerror(error)) != std::string::npos ||
           message.find("Error " + std::to_string(error) + " ") != std::string::npos;
}

class WriteFaultSweep : public ::testing::Test
{
protected:
    WriteFaultSweep()
    {
        fs::create_directories(root());
        cli.environment["HOME"] = root();
        cli.environment["DAYLARK_DATA_DIR"] = root() + "/data";
        cli.environment["XDG_CONFIG_HOME"] = root() + "/config";
    }

    /// The root emptied and the kind's data set written again, every file stamped alike.
    void freshSet(const WriteKind& kind)
    {
        for (const auto& entry : fs::directory_iterator(root())) {
            fs::remove_all(entry.path());
        }
        fs::create_directories(root() + "/data");
        const FailingWrites noSync; // the set is written without waiting for the disk
        kind.setUp(root());
        stampFiles(root(), 856500000);
    }

    CliRun run(const WriteKind& kind)
    {
        cli.clock.time = kStart + kind.daysLater * 86400;
        return cli.run(kind.args(root()));
    }

    /// Runs `kind` failing each of its write calls in each way.
    void sweep(const WriteKind& kind)
    {
        SCOPED_TRACE(kind.name);
        freshSet(kind);
        const Files before = dataFilesIn(root());
        m_linesBefore = linesIn(root() + "/data");
        std::vector<FailingWrites::Call> calls;
        {
            FailingWrites counting;
            const CliRun done = run(kind);
            ASSERT_EQ(done.status, 0) << done.err;
            calls = counting.calls;
        }
        const Files after = dataFilesIn(root());
        ASSERT_NE(before, after);
        // Lines the whole write drops, held by no line of the set afterwards.
        m_linesLeft = linesLost(m_linesBefore, linesIn(root() + "/data"));
        for (std::size_t at = 1; at <= calls.size(); ++at) {
            for (const WriteFault& fault : faultsFor(calls[at - 1])) {
                failAt(kind, at, fault, before, after);
            }
        }
    }

    void failAt(const WriteKind& kind, std::size_t at, const WriteFault& fault, const Files& before,
                const Files& after)
    {
        SCOPED_TRACE("call " + std::to_string(at) + " fails with " + std::strerror(fault.error) +
                     " after " + std::to_string(fault.bytesBefore) + " bytes");
        freshSet(kind);
        CliRun failed;
        {
            FailingWrites failing(at, fault);
            failed = run(kind);
            ASSERT_TRUE(failing.failed());
        }
        EXPECT_NE(failed.status, 0) << failed.err;
        // The data check reports on standard output, every other command on standard error.
        EXPECT_TRUE(namesCause(failed.out + failed.err, fault.error)) << failed.out << failed.err;
        // Each data file is as it was or as the whole write leaves it, never in between.
        for (const auto& [name, bytes] : dataFilesIn(root())) {
            const auto old = before.find(name);
            const auto made = after.find(name);
            const bool grown = isDayChange(kind) && name.ends_with(".day") && old != before.end() &&
                               bytes.starts_with(old->second);
            EXPECT_TRUE((old != before.end() && old->second == bytes) ||
                        (made != after.end() && made->second == bytes) || grown)
                << name
                << " is neither the old nor the new file: " << ::testing::PrintToString(bytes);
        }
        for (const auto& [name, bytes] : before) {
            EXPECT_TRUE(fileExists(root() + "/" + name) || !after.contains(name))
                << name << " is gone";
        }
        EXPECT_EQ(savesLeftIn(root()), std::vector<std::string>{});
        // Only lines that the whole write drops may be gone (a list's old contents).
        EXPECT_EQ(linesLost(linesLost(m_linesBefore, linesIn(root() + "/data")), m_linesLeft),
                  std::vector<std::string>{});
        // A fault after the last rename (the directory's sync) fails a write that is in place
        // already; adding the same line again would add it twice.
        if (dataFilesIn(root()) == after) {
            return;
        }
        // The same command again, without the fault, does all of the work.
        const CliRun retry = [&] {
            const FailingWrites noSync;
            return run(kind);
        }();
        EXPECT_EQ(retry.status, 0) << retry.err;
        if (isDayChange(kind)) {
            checkDayChangeDone(after);
            return;
        }
        EXPECT_EQ(dataFilesIn(root()), after);
    }

    /// A change of day done on a retry: the page is filed once with every line it files when
    /// nothing fails (the removed alarms' line may come before the done list lines), and the
    /// new page and the stores are as after a change that nothing cut.
    void checkDayChangeDone(const Files& after)
    {
        const Files now = dataFilesIn(root());
        ASSERT_EQ(now.size(), after.size());
        for (const auto& [name, bytes] : now) {
            SCOPED_TRACE(name);
            if (name.ends_with(".dlk")) {
                EXPECT_EQ(sortedLines(bytes), sortedLines(after.at(name)));
                continue;
            }
            EXPECT_EQ(bytes, after.at(name));
        }
        EXPECT_EQ(linesLost(linesLost(m_linesBefore, linesIn(root() + "/data")), m_linesLeft),
                  std::vector<std::string>{});
    }

    /// The lines of an archive's pages (as dataFilesIn gives them), sorted.
    static std::vector<std::string> sortedLines(std::string pages)
    {
        std::replace(pages.begin(), pages.end(), '|', '\n');
        std::vector<std::string> lines = splitLines(pages);
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    std::string root() const { return cli.dir.file("root"); }

    static constexpr std::int64_t kStart = 857397900; // Monday 3 March 1997, 14:05 UTC
    ScopedTimeZone zone{"UTC"};
    CliHarness cli;
    std::vector<std::string> m_linesBefore;
    std::vector<std::string> m_linesLeft;
};

void wholeSet(const std::string& root)
{
    writeWholeDataSet(root + "/data");
}

TEST_F(WriteFaultSweep, EachStoreSavesWholeOrNotAtAllAndSaysWhy)
{
    const WriteKind kinds[] = {
        {"a future note", wholeSet,
         [](const std::string&) {
             return std::vector<std::string>{"note", "1997-06-01", "see the dentist"};
         }},
        {"a list", wholeSet,
         [](const std::string&) {
             return std::vector<std::string>{"list", "Shopping", "{} milk\r\n{} eggs"};
         }},
        {"an alarm", wholeSet,
         [](const std::string&) {
             return std::vector<std::string>{"alarm",   "add",  "Walk", "--at", "1997-03-09 10:00",
                                             "--every", "daily"};
         }},
        {"a line on today's page", wholeSet,
         [](const std::string&) {
             return std::vector<std::string>{"add", "one more line"};
         }},
    };
    for (const WriteKind& kind : kinds) {
        sweep(kind);
    }
}

TEST_F(WriteFaultSweep, AChangeOfDayFilesThePageOnceOrLeavesItOnItsDay)
{
    const auto today = [](const std::string&) { return std::vector<std::string>{"today"}; };
    const auto dayChangeSet = [](const std::string& root) { writeDayChangeSet(root + "/data"); };
    sweep({"a change of day", dayChangeSet, today, 1});
    // An append cut off before leaves a torn tail, which goes aside first.
    sweep({"a change of day after a torn append",
           [](const std::string& root) {
               writeDayChangeSet(root + "/data");
               std::ofstream(root + "/data/1997.dlk", std::ios::app) << "torn";
           },
           today, 1});
}

TEST_F(WriteFaultSweep, ABackupCopiesWholeFilesOrKeepsTheOldCopies)
{
    const auto backup = [](const std::string& root) {
        return std::vector<std::string>{"backup", root + "/backup"};
    };
    sweep({"a first backup",
           [](const std::string& root) {
               writeWholeDataSet(root + "/data");
               fs::create_directories(root + "/backup");
           },
           backup});
    sweep({"a backup over an older one",
           [](const std::string& root) {
               writeWholeDataSet(root + "/data");
               fs::create_directories(root + "/backup");
               writeOtherDataSet(root + "/backup");
           },
           backup});
}

TEST_F(WriteFaultSweep, ASynchronisationMergesWholeFilesOrLeavesThemAsTheyWere)
{
    sweep({"a synchronisation",
           [](const std::string& root) {
               writeWholeDataSet(root + "/data");
               fs::create_directories(root + "/other");
               writeOtherDataSet(root + "/other");
           },
           [](const std::string& root) {
               return std::vector<std::string>{"sync", root + "/other/daylark.day", "--lists",
                                               "--alarms"};
           }});
}

// The repair moves the damaged bytes aside and writes back what still reads: a torn archive
// tail and a list file cut short in its last record.
TEST_F(WriteFaultSweep, ARepairMovesDamageAsideWholeOrNotAtAll)
{
    sweep({"a repair",
           [](const std::string& root) {
               writeWholeDataSet(root + "/data");
               std::ofstream(root + "/data/1997.dlk", std::ios::app) << "torn";
               const std::string lists = readFile(root + "/data/daylark.tdl");
               writeFile(root + "/data/daylark.tdl", lists.substr(0, lists.size() - 3));
           },
           [](const std::string&) {
               return std::vector<std::string>{"check", "--repair"};
           }});
}

TEST(WriteFaults, ASettingThatCannotBeSavedIsReportedAndTheOldSettingsStay)
{
    const TempDir dir;
    const std::string path = dir.file("config/daylark.ini");
    const std::string old = "[Settings]\nFont=-16,0\n";
    std::vector<FailingWrites::Call> calls;
    {
        fs::create_directories(dir.file("config"));
        writeFile(path, old);
        RecordingSink sink;
        Profile profile(path, sink);
        FailingWrites counting;
        ASSERT_TRUE(profile.writeString("Settings", "Clock24", "1"));
        calls = counting.calls;
    }
    const std::string saved = readFile(path);
    for (std::size_t at = 1; at <= calls.size(); ++at) {
        for (const WriteFault& fault : faultsFor(calls[at - 1])) {
            SCOPED_TRACE(std::to_string(at) + " " + std::strerror(fault.error));
            writeFile(path, old);
            RecordingSink sink;
            Profile profile(path, sink);
            {
                FailingWrites failing(at, fault);
                EXPECT_FALSE(profile.writeString("Settings", "Clock24", "1"));
            }
            ASSERT_EQ(sink.messages.size(), 1u);
            EXPECT_TRUE(namesCause(sink.messages[0].text, fault.error)) << sink.messages[0].text;
            const std::string now = readFile(path);
            EXPECT_TRUE(now == old || now == saved) << now;
            EXPECT_EQ(namesIn(dir.file("config")), std::vector<std::string>{"daylark.ini"});
            EXPECT_TRUE(profile.writeString("Settings", "Clock24", "1"));
            EXPECT_EQ(readFile(path), saved);
        }
    }
}

} // namespace
} // namespace daylark::test
