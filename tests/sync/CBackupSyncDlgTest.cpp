#include "sync/CBackupSyncDlg.h"

#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "sync/SyncTestData.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

// The dialog's order: a backup once per opening (refusing a destination that is the year
// archive or the other set), then one synchronisation, which the open page takes up.
TEST(CBackupSyncDlg, BackupThenSynchronizeOncePerOpening)
{
    const ScopedTimeZone zone(kEastern);
    const TempDir tmp;
    const FixedClock clock(kNow);
    RecordingSink sink;
    const std::string data = tmp.file("data");
    const std::string other = tmp.file("other");
    createDirectories(data);
    createDirectories(other);
    writeFile(tmp.file("daylark.ini"), "[Settings]\nBackupAlarms=yes\nBackupTodos=Yes\n");
    writeDayFile(data + "/daylark.day", {2, kNow, 0, "mine"});
    writeDayFile(other + "/daylark.day", {2, kNow, 0, "theirs"});
    auto app = startApp(data, tmp.file("daylark.ini"), sink, clock);
    const SyncSide side = sideOf(*app);
    CBackupSyncDlg dlg(app->profile(), side);

    const std::string archive = data + "/1997.dlk";
    EXPECT_EQ(dlg.fields(), (CBackupSyncDlg::Fields{"", "", true, false}));
    EXPECT_EQ(dlg.otherBrowseStart(), archive);
    EXPECT_FALSE(dlg.backupEnabled() || dlg.synchronizeEnabled());

    dlg.backupChosen(archive);
    dlg.Backup();
    dlg.otherChosen(tmp.file("backup.dlk"));
    dlg.backupChosen(tmp.file("backup.dlk"));
    dlg.Backup();
    EXPECT_EQ(sink.texts(),
              (std::vector<std::string>{"Daylark, " + archive + " and \nBackup " + archive +
                                            "\n are the same!",
                                        "Sync file, " + tmp.file("backup.dlk") + " and \nBackup " +
                                            tmp.file("backup.dlk") + "\n are the same!"}));
    EXPECT_TRUE(dlg.backupEnabled());
    EXPECT_FALSE(fileExists(tmp.file("LocalDaylark")));

    // A typed path counts only once a check box is clicked.
    dlg.otherChosen(other + "/missing.dlk");
    dlg.editBackupPath(archive);
    dlg.Backup();
    EXPECT_TRUE(fileExists(tmp.file("LocalDaylark/daylark.day")));
    EXPECT_FALSE(dlg.backupEnabled());
    EXPECT_TRUE(dlg.synchronizeEnabled());
    dlg.clickLists(true);
    EXPECT_EQ(dlg.fields(), (CBackupSyncDlg::Fields{archive, other + "/missing.dlk", true, true}));
    EXPECT_EQ(app->profile().readString("Settings", "BackupTodos", ""), "yes");

    dlg.Synchronize(); // the other path does not exist: nothing happens
    EXPECT_TRUE(dlg.synchronizeEnabled());
    dlg.otherChosen(other + "/daylark.day");
    dlg.Synchronize();
    EXPECT_FALSE(dlg.backupEnabled() || dlg.synchronizeEnabled());
    const std::string merged = "theirs\r\r\nmine\r\r\n";
    EXPECT_EQ(app->doc().pageText().text(), merged);
    EXPECT_EQ(readDayFile(data + "/daylark.day"), (DayFileContent{2, kNow, 0, merged}));
    EXPECT_EQ(readDayFile(other + "/daylark.day"), (DayFileContent{2, kNow, 1, merged}));

    dlg.backupChosen(tmp.file("again.dlk"));
    EXPECT_TRUE(dlg.backupEnabled());
}

} // namespace
} // namespace daylark::test
