#include "faults/ChildProcess.h"
#include "faults/FaultDataSets.h"
#include "support/FailingWrites.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>

// Each command runs in a real daylark-cli that kills itself at its Nth write call, for every N;
// a second run of the command (the restart) finishes the work. Afterwards every line is held
// exactly once, as by a run that was never cut, no page is filed twice, and the data check
// finds every file whole.
namespace daylark::test {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kDay = 86400;

/// "YYYY-MM-DD" of the day `offset` days from `day`.
std::string dayText(std::int64_t day, int offset)
{
    return formatTime("%Y-%m-%d", day + offset * kDay, false);
}

/// Files one page in the archive of its own year.
void filePage(const std::string& dir, const std::string& day, const std::string& text)
{
    filePages(dir + "/" + day.substr(0, 4) + ".dlk", {{day, text}}, FixedClock(std::time(nullptr)));
}

/// A command and the data sets (directories under the root) it works on.
struct Command
{
    const char* name;
    std::vector<std::string> sets;
    std::function<void(const std::string& root, std::int64_t today)> setUp;
    std::function<std::vector<std::string>(const std::string& root)> args;
};

/// What a data set holds, for comparing two runs: every line, sorted, and each archive's days.
struct Held
{
    std::vector<std::string> lines;
    std::vector<std::string> days;
    bool operator==(const Held&) const = default;
};

void PrintTo(const Held& held, std::ostream* out)
{
    *out << ::testing::PrintToString(held.lines) << " in " << ::testing::PrintToString(held.days);
}

Held heldIn(const std::string& dir)
{
    Held held;
    held.lines = linesIn(dir);
    std::sort(held.lines.begin(), held.lines.end());
    for (const std::string& name : namesIn(dir)) {
        if (name.ends_with(".dlk")) {
            for (const auto& [day, text] : pagesOf(dir + "/" + name)) {
                held.days.push_back(name + " " + day);
            }
        }
    }
    return held;
}

class KillSweep : public ::testing::Test
{
protected:
    std::vector<std::string> environment(const std::string& dataDir) const
    {
        return {"HOME=" + m_root, "XDG_CONFIG_HOME=" + m_root + "/config",
                "DAYLARK_DATA_DIR=" + dataDir, "TZ=UTC"};
    }

    void freshSets(const Command& command)
    {
        for (const auto& entry : fs::directory_iterator(m_root)) {
            fs::remove_all(entry.path());
        }
        for (const std::string& set : command.sets) {
            fs::create_directories(m_root + "/" + set);
        }
        // The sets are written without waiting for the disk: only the processes are cut here.
        const FailingWrites noSync;
        command.setUp(m_root, m_today);
    }

    std::vector<Held> held(const Command& command) const
    {
        std::vector<Held> all;
        for (const std::string& set : command.sets) {
            all.push_back(heldIn(m_root + "/" + set));
        }
        return all;
    }

    ChildEnd run(const Command& command, const char* program, std::vector<std::string> extra = {})
    {
        std::vector<std::string> env = environment(m_root + "/data");
        env.insert(env.end(), extra.begin(), extra.end());
        return runChild(program, command.args(m_root), env, m_output);
    }

    void sweep(const Command& command)
    {
        SCOPED_TRACE(command.name);
        // The programs read the real clock: a sweep that a midnight cuts in two would compare
        // runs of two different days.
        if (std::time(nullptr) - m_today > kDay - 5 * 60) {
            GTEST_SKIP() << "less than five minutes to midnight (UTC)";
        }
        freshSets(command);
        ASSERT_EQ(run(command, DAYLARK_CLI).status, 0) << readFile(m_output);
        const std::vector<Held> whole = held(command);
        for (int at = 1;; ++at) {
            SCOPED_TRACE("killed at write call " + std::to_string(at));
            freshSets(command);
            const ChildEnd cut = run(command, DAYLARK_KILLED_CLI,
                                     {"DAYLARK_TEST_KILL_AT_WRITE=" + std::to_string(at)});
            if (!cut.killed) {
                EXPECT_EQ(cut.status, 0) << readFile(m_output);
                EXPECT_GT(at, 3); // the sweep reached writes at all
                return;
            }
            const ChildEnd restart = run(command, DAYLARK_CLI);
            EXPECT_EQ(restart.status, 0) << readFile(m_output);
            EXPECT_EQ(held(command), whole);
            // A cut save leaves its temporary file, which the repair moves aside.
            for (const std::string& set : command.sets) {
                const auto env = environment(m_root + "/" + set);
                runChild(DAYLARK_CLI, {"check", "--repair"}, env, m_output);
                const ChildEnd check = runChild(DAYLARK_CLI, {"check"}, env, m_output);
                EXPECT_EQ(check.status, 0) << set << ":\n" << readFile(m_output);
            }
            EXPECT_EQ(held(command), whole);
        }
    }

    ScopedTimeZone m_zone{"UTC"};
    TempDir m_dir;
    const std::string m_root = m_dir.file("root");
    const std::string m_output = m_dir.file("output");
    const std::int64_t m_today = std::time(nullptr) / kDay * kDay;
    bool m_madeRoot = fs::create_directories(m_root);
};

/// Yesterday's page due to be filed: done tasks in a list, a past once alarm, a note due today,
/// open tasks to carry.
void dayChangeSet(const std::string& dir, std::int64_t today)
{
    filePage(dir, dayText(today, -3), "three days ago");
    filePage(dir, dayText(today, -2), "the day before");
    saveRecords<CFutureFile>(dir + "/daylark.fut", note(dayText(today, 0), "today's note"),
                             note(dayText(today, 30), "a later note"));
    saveRecords<CTodoFile>(dir + "/daylark.tdl", list("Shopping", "{} milk\r\n{x} bread"),
                           list("Books", "{x} Emma\r\n{} Persuasion"));
    saveRecords<CAlarmFile>(dir + "/daylark.alm",
                            alarm("Dentist", dayText(today, -1) + " 09:00", Frequency::Once),
                            alarm("Tea", dayText(today, -3) + " 16:00", Frequency::Daily));
    writeDayFile(dir + "/daylark.day",
                 {2, today - kDay, 0, "yesterday's line\r\n{} open task\r\n{x} done task"});
}

TEST_F(KillSweep, AChangeOfDayCutAtAnyWriteIsFinishedByTheRestart)
{
    sweep({"change of day",
           {"data"},
           [](const std::string& root, std::int64_t today) { dayChangeSet(root + "/data", today); },
           [](const std::string&) { return std::vector<std::string>{"today"}; }});
}

TEST_F(KillSweep, AnAppendAfterATornTailCutAtAnyWriteIsFinishedByTheRestart)
{
    sweep({"change of day after a torn append",
           {"data"},
           [](const std::string& root, std::int64_t today) {
               dayChangeSet(root + "/data", today);
               const std::string archive =
                   root + "/data/" + dayText(today, -1).substr(0, 4) + ".dlk";
               std::ofstream(archive, std::ios::app) << "torn";
           },
           [](const std::string&) { return std::vector<std::string>{"today"}; }});
}

TEST_F(KillSweep, AListEditCutAtAnyWriteIsFinishedByTheRestart)
{
    sweep({"list edit",
           {"data"},
           [](const std::string& root, std::int64_t today) { dayChangeSet(root + "/data", today); },
           [](const std::string&) {
               return std::vector<std::string>{"list", "Shopping", "{} eggs\r\n{} flour"};
           }});
}

/// Two data sets of two years each, with a day filed on both sides and stores of their own.
void twoSides(const std::string& root, std::int64_t today)
{
    const int lastYear = -400;
    for (const auto& [side, tag] : {std::pair("data", "ours"), std::pair("other", "theirs")}) {
        const std::string dir = root + "/" + side;
        const std::string t = tag;
        filePage(dir, dayText(today, lastYear), "last year, " + t);
        filePage(dir, dayText(today, -2), "shared line\r\n" + t + " only");
        filePage(dir, dayText(today, side == std::string("data") ? -3 : -4), "a day of " + t);
        saveRecords<CFutureFile>(dir + "/daylark.fut", note(dayText(today, 20), "note of " + t));
        saveRecords<CTodoFile>(dir + "/daylark.tdl", list("List " + t, "{} " + t + " task"));
        saveRecords<CAlarmFile>(dir + "/daylark.alm",
                                alarm("Alarm " + t, dayText(today, 5) + " 08:00", Frequency::Once));
        writeDayFile(dir + "/daylark.day", {2, today, 0, "today, " + t});
    }
}

TEST_F(KillSweep, ASynchronisationCutAtAnyWriteIsFinishedByTheRestart)
{
    sweep({"synchronisation", {"data", "other"}, twoSides, [](const std::string& root) {
               return std::vector<std::string>{"sync", root + "/other/daylark.day", "--lists",
                                               "--alarms"};
           }});
}

TEST_F(KillSweep, ABackupCutAtAnyWriteIsFinishedByTheRestart)
{
    sweep({"backup",
           {"data", "backup"},
           [](const std::string& root, std::int64_t today) {
               dayChangeSet(root + "/data", today);
               // The backup holds an older, other data set.
               fs::create_directories(root + "/old/data");
               fs::create_directories(root + "/old/other");
               twoSides(root + "/old", today);
               fs::remove_all(root + "/backup");
               fs::rename(root + "/old/other", root + "/backup");
           },
           [](const std::string& root) {
               return std::vector<std::string>{"backup", root + "/backup"};
           }});
}

} // namespace
} // namespace daylark::test
