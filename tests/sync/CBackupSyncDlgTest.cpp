#include "sync/CBackupSyncDlg.h"

#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "sync/SyncTestData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <stdexcept>

namespace daylark::test {
namespace {

using Lines = std::vector<std::string>;

class CBackupSyncDlgTest : public ::testing::Test
{
protected:
    CBackupSyncDlgTest()
    {
        createDirectories(data);
        createDirectories(other);
        writeDayFile(data + "/daylark.day", {2, kNow, 0, "mine"});
        writeDayFile(other + "/daylark.day", {2, kNow, 0, "theirs"});
    }

    /// Starts this side with `profile` and opens the dialog over it.
    CBackupSyncDlg& open(const std::string& profile)
    {
        writeFile(tmp.file("daylark.ini"), profile);
        app = startApp(data, tmp.file("daylark.ini"), sink, clock);
        side.emplace(sideOf(*app, beforeWrite));
        return dlg.emplace(app->profile(), *side);
    }

    std::string setting(const char* key) const
    {
        return app->profile().readString("Settings", key, "");
    }

    ScopedTimeZone zone{kEastern};
    TempDir tmp;
    FixedClock clock{kNow};
    RecordingSink sink;
    const std::string data = tmp.file("data");
    const std::string other = tmp.file("other");
    const std::string archive = data + "/1997.dlk";
    std::function<void(const std::string&)> beforeWrite;
    std::unique_ptr<DaylarkApp> app;
    std::optional<SyncSide> side;
    std::optional<CBackupSyncDlg> dlg;
};

// The dialog's order: a backup once per opening (refusing a destination that is the year
// archive or the other set), then one synchronisation, which the open page takes up. The paths
// are used as they stand in the fields, typed or browsed, and a path that worked is kept.
TEST_F(CBackupSyncDlgTest, BackupThenSynchronizeWithThePathsAsTheyStand)
{
    CBackupSyncDlg& dlg = open("[Settings]\nBackupAlarms=yes\nBackupTodos=Yes\n");
    EXPECT_EQ(dlg.fields(), (CBackupSyncDlg::Fields{"", "", true, false}));
    EXPECT_EQ(dlg.otherBrowseStart(), archive);
    EXPECT_FALSE(dlg.backupEnabled() || dlg.synchronizeEnabled());

    dlg.backupChosen(archive);
    dlg.Backup();
    dlg.otherChosen(tmp.file("backup.dlk"));
    dlg.backupChosen(tmp.file("backup.dlk"));
    dlg.Backup();
    EXPECT_EQ(sink.texts(),
              (Lines{"Daylark, " + archive + " and \nBackup " + archive + "\n are the same!",
                     "Sync file, " + tmp.file("backup.dlk") + " and \nBackup " +
                         tmp.file("backup.dlk") + "\n are the same!"}));
    EXPECT_TRUE(dlg.backupEnabled());
    EXPECT_FALSE(fileExists(tmp.file("LocalDaylark")));
    EXPECT_EQ(dlg.summary(), "");
    sink.clear();

    // Typing drives Back&up as browsing does; paths that are not full ones are refused.
    dlg.editBackupPath("");
    EXPECT_FALSE(dlg.backupEnabled());
    dlg.editBackupPath("backups/backup.dlk");
    EXPECT_TRUE(dlg.backupEnabled());
    dlg.Backup();
    dlg.Synchronize();
    EXPECT_EQ(sink.texts(),
              (Lines{"Backup Destination backups/backup.dlk\n is not a full path: it must start "
                     "with /.",
                     tmp.file("backup.dlk") + " does not exist"}));
    sink.clear();

    // A typed directory is the destination itself, and the path that worked is kept.
    const std::string typed = tmp.file("typed");
    createDirectories(typed);
    dlg.editOtherPath(other + "/missing.dlk");
    dlg.editBackupPath(typed);
    dlg.Backup();
    EXPECT_TRUE(sink.messages.empty()) << sink.texts()[0];
    EXPECT_EQ(readFile(typed + "/LocalDaylark/daylark.day"), readFile(data + "/daylark.day"));
    EXPECT_EQ(readFile(typed + "/RemoteDaylark/daylark.day"), readFile(other + "/daylark.day"));
    EXPECT_FALSE(fileExists(tmp.file("LocalDaylark")));
    EXPECT_EQ(setting("BackupDir"), typed + "/");
    EXPECT_EQ(setting("SyncDir"), tmp.file("backup.dlk")); // the last Browse; not used yet
    EXPECT_FALSE(dlg.backupEnabled());
    EXPECT_TRUE(dlg.synchronizeEnabled());
    dlg.clickLists(true);
    EXPECT_EQ(dlg.fields(), (CBackupSyncDlg::Fields{typed, other + "/missing.dlk", true, true}));
    EXPECT_EQ(setting("BackupTodos"), "yes");

    dlg.Synchronize();
    EXPECT_EQ(sink.texts(), Lines{other + "/missing.dlk does not exist"});
    EXPECT_TRUE(dlg.synchronizeEnabled());
    dlg.editOtherPath(other);
    dlg.Synchronize();
    EXPECT_FALSE(dlg.backupEnabled() || dlg.synchronizeEnabled());
    const std::string merged = "theirs\r\r\nmine\r\r\n";
    EXPECT_EQ(app->doc().pageText().text(), merged);
    EXPECT_EQ(readDayFile(data + "/daylark.day"), (DayFileContent{2, kNow, 0, merged}));
    EXPECT_EQ(readDayFile(other + "/daylark.day"), (DayFileContent{2, kNow, 1, merged}));
    EXPECT_EQ(setting("SyncDir"), other + "/");
    EXPECT_EQ(dlg.summary(), "Backed up to " + typed + ": 2 files copied. Synchronised with " +
                                 other + ": 1 page merged, 0 files copied");

    dlg.backupChosen(tmp.file("again.dlk"));
    EXPECT_TRUE(dlg.backupEnabled());
}

// The summary counts what was really copied and merged, and a run that showed a failure does
// not end in a word of success.
TEST_F(CBackupSyncDlgTest, SummaryCountsTheWorkAndNamesFailures)
{
    filePages(archive, {{"1997-03-01", "a"}}, clock);
    clock.advance(-86400 * 400);
    filePages(other + "/1996.dlk", {{"1996-05-01", "old"}}, clock);
    filePages(other + "/1997.dlk", {{"1997-03-01", "b"}, {"1997-03-02", "c"}}, clock);
    clock.time = kNow;
    const std::string backups = tmp.file("backups");
    createDirectories(backups + "/LocalDaylark/1997.dlk"); // in the way of the copy
    CBackupSyncDlg& dlg =
        open("[Settings]\nBackupDir=" + backups + "/b.dlk\nSyncDir=" + other + "/1997.dlk\n");

    dlg.Backup();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_TRUE(dlg.backupEnabled());
    EXPECT_FALSE(dlg.synchronizeEnabled());
    EXPECT_EQ(setting("BackupDir"), backups + "/b.dlk");
    std::filesystem::remove(backups + "/LocalDaylark/1997.dlk");
    dlg.Backup();
    dlg.Synchronize();
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(dlg.summary(), "Backup to " + backups +
                                 " is incomplete (1 failure): 4 files copied. " + "Backed up to " +
                                 backups + ": 1 file copied. " + "Synchronised with " + other +
                                 ": 3 pages merged, 1 file copied");
    EXPECT_EQ(pagesOf(other + "/1996.dlk"), pagesOf(data + "/1996.dlk"));
}

// While a run goes on, its steps are told in order, the change of day waits, the buttons are
// disabled and a second start is refused; the hold ends with the run, also when it stops on a
// failure that throws.
TEST_F(CBackupSyncDlgTest, ARunHoldsTheDayChangeAndRefusesASecondStart)
{
    filePages(other + "/1997.dlk", {{"1997-03-01", "b"}}, clock);
    CBackupSyncDlg& dlg = open("[Settings]\nBackupDir=" + tmp.file("b.dlk") + "\n");
    dlg.editOtherPath(other + "/1997.dlk");
    std::vector<SyncStep> steps;
    bool inside = false;
    dlg.setProgressListener([&](const SyncStep& step) {
        EXPECT_FALSE(inside) << "a second run started inside the first";
        inside = true;
        steps.push_back(step);
        EXPECT_TRUE(dlg.running() && app->doc().dayChangeHeld());
        EXPECT_FALSE(dlg.backupEnabled() || dlg.synchronizeEnabled());
        if (steps.size() == 1) {
            clock.advance(86400); // the day ends during the run
            EXPECT_FALSE(app->doc().CheckDay());
            dlg.Backup();
            dlg.Synchronize();
        }
        inside = false;
    });

    dlg.Backup();
    ASSERT_EQ(steps.size(), 14u); // three years and four stores, on each side
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].done, int(i));
        EXPECT_EQ(steps[i].total, 14);
    }
    EXPECT_EQ(steps.front().text, "Backing up 1995.dlk");
    EXPECT_EQ(steps.back().text, "Backing up daylark.day of the other Daylark");
    EXPECT_FALSE(dlg.running() || app->doc().dayChangeHeld());
    EXPECT_TRUE(dlg.synchronizeEnabled());

    beforeWrite = [](const std::string&) { throw std::runtime_error("stopped"); };
    side->beforeWrite = beforeWrite;
    steps.clear();
    EXPECT_THROW(dlg.Synchronize(), std::runtime_error);
    EXPECT_EQ(steps.size(), 4u); // stopped at the write of the 1997 archives
    EXPECT_FALSE(dlg.running() || app->doc().dayChangeHeld());
    EXPECT_TRUE(dlg.synchronizeEnabled());
    EXPECT_TRUE(app->doc().CheckDay()); // the change of day catches up
    EXPECT_TRUE(sink.messages.empty()) << sink.texts()[0];
}

} // namespace
} // namespace daylark::test
