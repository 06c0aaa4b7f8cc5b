#include "tools/DataCheck.h"

#include "support/TimeZone.h"
#include "support/WholeDataSet.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

namespace daylark::test {
namespace {

const std::vector<std::string> kNotes = {"1997-04-01 dentist", "1997-05-01 pay rent"};
const std::vector<std::string> kLists = {"Books {} Emma", "Shopping {} milk\r\n{} bread"};

std::vector<std::string> alarmNames(const std::string& path)
{
    std::vector<std::string> names;
    for (const std::string& alarm : recordsOf<CAlarmFile>(path)) {
        names.push_back(alarm.substr(17, alarm.find(" v") - 17));
    }
    return names;
}

std::int64_t totalSize(const std::map<std::string, std::string>& files)
{
    return std::accumulate(files.begin(), files.end(), std::int64_t{0},
                           [](std::int64_t sum, const auto& file) {
                               return sum + static_cast<std::int64_t>(file.second.size());
                           });
}

const FileCheck* find(const DataCheckReport& report, const std::string& name)
{
    for (const FileCheck& file : report.files) {
        if (file.name == name) {
            return &file;
        }
    }
    return nullptr;
}

/// One way to damage the set: what to do to it, which file then is damaged and how, and what
/// must hold after the repair (`before` is the directory as it was damaged).
struct DamageCase
{
    const char* title;
    std::function<void(const std::string& dir)> damage;
    std::string damagedFile;
    Damage kind;
    std::function<void(const std::string& dir, const std::map<std::string, std::string>& before)>
        afterRepair;
};

std::string cut(const std::string& path, std::size_t keep)
{
    std::string bytes = readFile(path);
    const std::string rest = bytes.substr(keep);
    writeFile(path, bytes.substr(0, keep));
    return rest;
}

std::vector<DamageCase> damageCases()
{
    const auto pages = [](std::vector<std::size_t> indexes) {
        std::vector<DatedText> kept;
        for (const std::size_t i : indexes) {
            kept.push_back(kFourPages[i]);
        }
        return kept;
    };
    return {
        {"an append cut off half way",
         [](const std::string& dir) {
             const auto starts = entryStarts(dir + "/1997.dlk");
             cut(dir + "/1997.dlk", static_cast<std::size_t>(starts[3] + 9));
         },
         "1997.dlk", Damage::TornTail,
         [pages](const std::string& dir, const std::map<std::string, std::string>& before) {
             EXPECT_EQ(pagesOf(dir + "/1997.dlk"), pages({0, 1, 2}));
             const auto starts = entryStarts(dir + "/1997.dlk");
             EXPECT_EQ(readFile(dir + "/1997.torn.000"), before.at("1997.dlk").substr(starts[3]));
         }},
        {"a header that is not an archive header",
         [](const std::string& dir) {
             std::string bytes = readFile(dir + "/1997.dlk");
             bytes[12] = 99;
             writeFile(dir + "/1997.dlk", bytes);
         },
         "1997.dlk", Damage::NotArchiveHeader,
         [](const std::string& dir, const std::map<std::string, std::string>& before) {
             EXPECT_FALSE(fileExists(dir + "/1997.dlk"));
             EXPECT_EQ(readFile(dir + "/1997.dlk.damaged.000"), before.at("1997.dlk"));
         }},
        {"an entry in the middle whose forward link is broken",
         [](const std::string& dir) {
             const auto starts = entryStarts(dir + "/1997.dlk");
             std::string bytes = readFile(dir + "/1997.dlk");
             bytes[static_cast<std::size_t>(starts[1])] ^= 0x40;
             writeFile(dir + "/1997.dlk", bytes);
         },
         "1997.dlk", Damage::OpenChain,
         [pages](const std::string& dir, const std::map<std::string, std::string>& before) {
             EXPECT_EQ(pagesOf(dir + "/1997.dlk"), pages({0, 2, 3}));
             // The entry left out is kept as it was.
             const std::string& old = before.at("1997.dlk");
             const std::string side = readFile(dir + "/1997.dlk.damaged.000");
             EXPECT_EQ(old.find(side), entryStarts(dir + "/1997.dlk")[1]);
             EXPECT_NE(side.find("second day"), std::string::npos);
         }},
        {"the last alarm cut short",
         [](const std::string& dir) {
             writeFile(dir + "/daylark.alm", readFile(dir + "/daylark.alm").substr(0, 70));
         },
         "daylark.alm", Damage::UnreadableRecord,
         [](const std::string& dir, const std::map<std::string, std::string>& before) {
             EXPECT_EQ(alarmNames(dir + "/daylark.alm"), (std::vector<std::string>{"Rent", "Tea"}));
             EXPECT_EQ(readFile(dir + "/daylark.alm.damaged.000"), before.at("daylark.alm"));
         }},
        {"a list whose class name is wrong",
         [](const std::string& dir) {
             std::string bytes = readFile(dir + "/daylark.tdl");
             bytes.replace(bytes.find("CDaylarkTodo"), 12, "CDaylarkXodo");
             writeFile(dir + "/daylark.tdl", bytes);
         },
         "daylark.tdl", Damage::UnreadableRecord,
         [](const std::string& dir, const std::map<std::string, std::string>& before) {
             EXPECT_TRUE(recordsOf<CTodoFile>(dir + "/daylark.tdl").empty());
             EXPECT_EQ(readFile(dir + "/daylark.tdl.damaged.000"), before.at("daylark.tdl"));
         }},
        {"notes counted beyond the file",
         [](const std::string& dir) {
             std::string bytes = readFile(dir + "/daylark.fut");
             bytes[4] = 3;
             writeFile(dir + "/daylark.fut", bytes);
         },
         "daylark.fut", Damage::UnreadableRecord,
         [](const std::string& dir, const std::map<std::string, std::string>& before) {
             EXPECT_EQ(recordsOf<CFutureFile>(dir + "/daylark.fut"), kNotes);
             EXPECT_EQ(readFile(dir + "/daylark.fut.damaged.000"), before.at("daylark.fut"));
         }},
        {"a current-day file cut in its text",
         [](const std::string& dir) { cut(dir + "/daylark.day", 20); }, "daylark.day",
         Damage::UnreadableRecord,
         [](const std::string& dir, const std::map<std::string, std::string>& before) {
             EXPECT_FALSE(fileExists(dir + "/daylark.day"));
             EXPECT_EQ(readFile(dir + "/daylark.day.damaged.000"), before.at("daylark.day"));
         }},
        {"the temporary file of a save that never reached its rename",
         [](const std::string& dir) { writeFile(dir + "/.daylark.tdl.tmp-Ab12Cd", "half"); },
         ".daylark.tdl.tmp-Ab12Cd", Damage::LeftoverTemporary,
         [](const std::string& dir, const std::map<std::string, std::string>&) {
             EXPECT_EQ(readFile(dir + "/daylark.tdl.damaged.000"), "half");
             EXPECT_EQ(recordsOf<CTodoFile>(dir + "/daylark.tdl"), kLists);
         }},
        {"the temporary archive of a merge that never finished",
         [](const std::string& dir) { writeFile(dir + "/1997.000", "merged"); }, "1997.000",
         Damage::LeftoverTemporary,
         [pages](const std::string& dir, const std::map<std::string, std::string>&) {
             EXPECT_EQ(readFile(dir + "/1997.dlk.damaged.000"), "merged");
             EXPECT_EQ(pagesOf(dir + "/1997.dlk"), pages({0, 1, 2, 3}));
         }},
    };
}

TEST(DataCheck, EveryDamageIsFoundAndRepairedKeepingWhatReadAndEveryByte)
{
    ScopedTimeZone zone(kEastern);
    for (const DamageCase& damage : damageCases()) {
        SCOPED_TRACE(damage.title);
        const TempDir dir;
        writeWholeDataSet(dir.path());
        // Bytes set aside by earlier repairs are never damage, and a repair leaves them alone.
        writeFile(dir.file("1997.torn.003"), "\x10\0\0\0cut");
        writeFile(dir.file("daylark.alm.damaged.001"), "old");
        writeFile(dir.file("notes.txt"), "not ours");
        damage.damage(dir.path());
        const auto before = contentsOf(dir.path());

        const DataCheck checker(dir.path(), dir.file("daylark.day"));
        DataCheckReport report = checker.check();
        EXPECT_EQ(contentsOf(dir.path()), before) << "the check only reads";
        EXPECT_EQ(report.damagedNames(), std::vector<std::string>{damage.damagedFile});
        const FileCheck* damaged = find(report, damage.damagedFile);
        ASSERT_NE(damaged, nullptr);
        EXPECT_EQ(damaged->damage, damage.kind) << damaged->what;
        EXPECT_EQ(find(report, "notes.txt"), nullptr);
        ASSERT_NE(find(report, "1997.torn.003"), nullptr);
        EXPECT_EQ(DataCheck::line(*find(report, "1997.torn.003")), "1997.torn.003: set aside");

        checker.repair(report);
        EXPECT_EQ(damaged->repairFailure, "");
        EXPECT_FALSE(report.damaged()) << DataCheck::line(*damaged);
        const DataCheckReport after = checker.check();
        EXPECT_FALSE(after.damaged()) << after.damagedNames()[0];
        const auto now = contentsOf(dir.path());
        EXPECT_GE(totalSize(now), totalSize(before));
        EXPECT_EQ(now.at("1997.torn.003"), before.at("1997.torn.003"));
        EXPECT_EQ(now.at("daylark.alm.damaged.001"), "old");
        damage.afterRepair(dir.path(), before);
    }
}

TEST(DataCheck, AWholeSetCountsWhatEachFileHolds)
{
    ScopedTimeZone zone(kEastern);
    const TempDir dir;
    writeWholeDataSet(dir.path());
    writeFile(dir.file("1998.dlk"), ""); // made by a filing that got no further: no pages yet
    const DataCheckReport report = DataCheck(dir.path(), dir.file("daylark.day")).check();
    std::vector<std::string> lines;
    for (const FileCheck& file : report.files) {
        lines.push_back(DataCheck::line(file));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "1997.dlk: ok (4 pages)", "1998.dlk: ok (0 pages)",
                         "daylark.alm: ok (3 alarms)", "daylark.day: ok (19 bytes of text)",
                         "daylark.fut: ok (2 notes)", "daylark.tdl: ok (2 lists)"}));
    EXPECT_EQ(DataCheck::damageNotice(report), "");
}

TEST(DataCheck, ACurrentDayFileElsewhereIsCheckedUnderItsPath)
{
    const TempDir dir;
    const std::string day = dir.file("elsewhere.day");
    writeFile(day, "\x02\0\0");
    writeFile(dir.file("daylark.day"), "not the current one"); // another program's name only
    const DataCheckReport report = DataCheck(dir.file("data"), day).check();
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.damagedNames(), std::vector<std::string>{day});
    EXPECT_NE(DataCheck::damageNotice(report).find(kRepairGuideSection), std::string::npos);
}

TEST(DataCheck, AStopRequestEndsTheCheckBeforeTheNextFile)
{
    const TempDir dir;
    writeFile(dir.file("1997.dlk"), "torn");
    std::stop_source stop;
    stop.request_stop();
    const DataCheckReport report =
        DataCheck(dir.path(), dir.file("daylark.day")).check(stop.get_token());
    EXPECT_TRUE(report.stopped);
    EXPECT_FALSE(report.damaged());
}

} // namespace
} // namespace daylark::test
