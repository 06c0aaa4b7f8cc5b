#include "sync/Backup.h"

#include "platform/FileSystem.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "sync/SyncTestData.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

TEST(TemporaryName, ReplacesTheExtensionWithTheFirstFreeNumber)
{
    const TempDir dir;
    const std::string archive = dir.file("1996.dlk");
    EXPECT_EQ(TemporaryName(archive), dir.file("1996.000"));
    writeFile(dir.file("1996.000"), "");
    writeFile(dir.file("1996.001"), "");
    EXPECT_EQ(TemporaryName(archive), dir.file("1996.002"));
    for (int n = 2; n <= 999; ++n) {
        writeFile(dir.file("1996." + std::to_string(1000 + n).substr(1)), "");
    }
    EXPECT_EQ(TemporaryName(archive), dir.file("1996.1000"));
    EXPECT_EQ(TemporaryName(dir.file("ab")), dir.file("ab000"));
}

class BackupTest : public ::testing::Test
{
protected:
    BackupTest()
    {
        createDirectories(data);
        createDirectories(other);
        filePages(data + "/1998.dlk", {{"1998-03-01", "page"}}, clock);
        writeFile(data + "/DayLark.FUT", "notes");
        writeDayFile(data + "/daylark.day", {2, kNow, 0, "today"});
        filePages(other + "/1997.dlk", {{"1997-03-01", "theirs"}}, clock);
        app = startApp(data, tmp.file("daylark.ini"), sink, clock);
    }

    ScopedTimeZone zone{kEastern};
    TempDir tmp;
    FixedClock clock{makeLocalTime(1998, 3, 2, 9, 5)};
    RecordingSink sink;
    const std::string data = tmp.file("data");
    const std::string other = tmp.file("other");
    const std::string backups = tmp.file("backups");
    const std::string local = backups + "/LocalDaylark/";
    std::unique_ptr<DaylarkApp> app;
};

// Files missing from a set are skipped without a message; a second backup copies only a file
// that differs, even from a copy of the same size and time.
TEST_F(BackupTest, CopiesBothSetsOnceAndThenOnlyWhatChanged)
{
    createDirectories(backups);
    ASSERT_EQ(Backup(sideOf(*app), backups + "/backup.dlk", other + "/1997.dlk"), 1);
    EXPECT_TRUE(sink.messages.empty());
    const std::string remote = backups + "/RemoteDaylark/";
    EXPECT_EQ(readFile(local + "1998.dlk"), readFile(data + "/1998.dlk"));
    EXPECT_EQ(readFile(local + "daylark.fut"), "notes");
    EXPECT_EQ(readFile(local + "daylark.day"), readFile(data + "/daylark.day"));
    EXPECT_EQ(readFile(remote + "1997.dlk"), readFile(other + "/1997.dlk"));
    EXPECT_FALSE(fileExists(local + "1997.dlk"));
    EXPECT_FALSE(fileExists(remote + "daylark.day"));

    writeFile(local + "daylark.fut", "NOTES");
    std::filesystem::last_write_time(local + "daylark.fut",
                                     std::filesystem::last_write_time(data + "/DayLark.FUT"));
    const ino_t archiveCopy = inodeOf(local + "1998.dlk");
    ASSERT_EQ(Backup(sideOf(*app), backups + "/backup.dlk", other + "/1997.dlk"), 1);
    EXPECT_EQ(inodeOf(local + "1998.dlk"), archiveCopy);
    EXPECT_EQ(readFile(local + "daylark.fut"), "notes");
    EXPECT_TRUE(sink.messages.empty());
}

// A destination that cannot be written is shown and the copies after it are made. An other set
// whose directory does not exist is not backed up.
TEST_F(BackupTest, FailuresAreShownAndTheOtherCopiesGoOn)
{
    EXPECT_EQ(Backup(sideOf(*app), "backup.dlk", ""), 0);
    EXPECT_TRUE(sink.messages.empty());
    ASSERT_EQ(Backup(sideOf(*app), backups + "/backup.dlk", ""), 0);
    EXPECT_EQ(sink.texts(),
              std::vector<std::string>{"Error 2 creating directory " + backups + "/LocalDaylark"});

    sink.clear();
    createDirectories(local + "daylark.day");
    EXPECT_EQ(Backup(sideOf(*app), backups + "/", tmp.file("gone/1997.dlk")), 0);
    EXPECT_EQ(sink.texts(),
              std::vector<std::string>{"Error 21 copying " + data + "/daylark.day to " + local +
                                       "daylark.day.\n Is this file in use? "
                                       "Scrolled or searching for example."});
    EXPECT_TRUE(fileExists(local + "1998.dlk"));
    EXPECT_FALSE(fileExists(backups + "/RemoteDaylark"));
}

} // namespace
} // namespace daylark::test
