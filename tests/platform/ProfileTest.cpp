#include "platform/Profile.h"

#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <tuple>
#include <utility>

namespace daylark::test {
namespace {

namespace fs = std::filesystem;

const std::string kSample = "; comment line kept\n"
                            "Orphan=outside any section\n"
                            "[Other]\n"
                            "Font=other section\n"
                            "  [ settings ]  \n"
                            "  useGMT  =  yes  \r\n"
                            "Font=-13,0,0,0,400,0,0,0,0,3,2,1,34,Courier New\n"
                            "Path=a=b\nEmpty=\n"
                            "Number=12abc\nNegative= -42\nPlus=+7\nWord=abc\n"
                            "Huge=99999999999\nEdge=-2147483648\nPastEdge=2147483648\n"
                            "NoEquals line\n"
                            "usegmt=second key loses\n"
                            "[Settings]\n"
                            "Late=second section loses\n";

TEST(Profile, ReadsByTheProfileRules)
{
    TempDir dir;
    writeFile(dir.file("p.ini"), kSample);
    RecordingSink sink;
    const Profile profile(dir.file("p.ini"), sink);

    const std::tuple<const char*, const char*, const char*> strings[] = {
        {"Settings", "UseGMT", "yes"},
        {"SETTINGS", "usegmt", "yes"},
        {"Settings", "Font", "-13,0,0,0,400,0,0,0,0,3,2,1,34,Courier New"},
        {"Other", "Font", "other section"},
        {"Settings", "Path", "a=b"},
        {"Settings", "Empty", ""},
        {"Settings", "Late", "default"},
        {"Settings", "Orphan", "default"},
        {"Settings", "NoEquals line", "default"},
        {"Missing", "Font", "default"},
    };
    for (const auto& [section, key, expected] : strings) {
        SCOPED_TRACE(std::string(section) + "/" + key);
        EXPECT_EQ(profile.readString(section, key, "default"), expected);
    }

    const std::pair<const char*, int> numbers[] = {
        {"Number", 12}, {"Negative", -42}, {"Plus", 7},     {"Word", 5},   {"Empty", 5},
        {"Huge", 5},    {"Edge", INT_MIN}, {"PastEdge", 5}, {"Absent", 5},
    };
    for (const auto& [key, expected] : numbers) {
        SCOPED_TRACE(key);
        EXPECT_EQ(profile.readInt("Settings", key, 5), expected);
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST(Profile, WritesInPlaceAndKeepsEveryOtherLine)
{
    TempDir dir;
    const std::string path = dir.file("p.ini");
    writeFile(path, "; keep me\r\n"
                    "[Settings]\r\n"
                    "  UseGMT = no \r\n"
                    "Strange line\r\n"
                    "\r\n"
                    "[Other]\r\n"
                    "UseGMT=untouched\r\n");
    RecordingSink sink;
    Profile profile(path, sink);

    ASSERT_TRUE(profile.writeString("settings", "usegmt", "yes"));
    ASSERT_TRUE(profile.writeInt("Settings", "DockSide", -59419));
    ASSERT_TRUE(profile.writeString("Backup", "Dir", "/home/u/backup dir"));
    EXPECT_EQ(readFile(path), "; keep me\r\n"
                              "[Settings]\r\n"
                              "usegmt=yes\r\n"
                              "Strange line\r\n"
                              "DockSide=-59419\r\n"
                              "\r\n"
                              "[Other]\r\n"
                              "UseGMT=untouched\r\n"
                              "\r\n"
                              "[Backup]\r\n"
                              "Dir=/home/u/backup dir\r\n");

    // A later run reads back what was written.
    const Profile later(path, sink);
    EXPECT_EQ(later.readString("Settings", "UseGMT", ""), "yes");
    EXPECT_EQ(later.readInt("Settings", "DockSide", 0), -59419);
    EXPECT_EQ(later.readString("Backup", "Dir", ""), "/home/u/backup dir");

    // A file without a final newline: the new key goes to its last section.
    writeFile(path, "[Settings]\nMenu=no");
    ASSERT_TRUE(profile.writeString("Settings", "ToolBar", "yes"));
    EXPECT_EQ(readFile(path), "[Settings]\nMenu=no\nToolBar=yes\n");
    ASSERT_TRUE(profile.writeString("Settings", "Menu", "yes"));
    EXPECT_EQ(readFile(path), "[Settings]\nMenu=yes\nToolBar=yes\n");
    EXPECT_TRUE(sink.messages.empty());
}

TEST(Profile, AbsentProfileIsEmptyAndCreatedPrivatelyOnFirstWrite)
{
    TempDir dir;
    const std::string path = dir.file("config/daylark/daylark.ini");
    RecordingSink sink;
    Profile profile(path, sink);
    EXPECT_EQ(profile.readString("Settings", "Font", "none"), "none");
    EXPECT_EQ(profile.readInt("Settings", "IdleUpdate", 3), 3);
    EXPECT_FALSE(fileExists(path));

    ASSERT_TRUE(profile.writeInt("Settings", "IdleUpdate", 0));
    EXPECT_EQ(readFile(path), "[Settings]\nIdleUpdate=0\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(dir.file("config/daylark")).permissions(), fs::perms::owner_all);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(Profile, UnreadableProfileIsNeverOverwrittenAndReportedOnce)
{
    TempDir dir;
    const std::string path = dir.file("daylark.ini");
    fs::create_directory(path);
    writeFile(dir.file("daylark.ini/inside"), "kept");
    RecordingSink sink;
    Profile profile(path, sink);

    EXPECT_EQ(profile.readString("Settings", "Menu", "no"), "no");
    EXPECT_FALSE(profile.writeString("Settings", "Menu", "yes"));
    EXPECT_FALSE(profile.writeInt("Settings", "DockSide", 1));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].text.find(path), std::string::npos);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(readFile(dir.file("daylark.ini/inside")), "kept");
}

TEST(Profile, RefusesWhatCouldNotBeReadBackAndReportsWriteFailureOnce)
{
    TempDir dir;
    const std::string path = dir.file("p.ini");
    writeFile(path, "[Settings]\nBackupDir=/old\n");
    RecordingSink sink;
    Profile profile(path, sink);
    EXPECT_FALSE(profile.writeString("Settings", "BackupDir", "/a\nInjected=1"));
    EXPECT_FALSE(profile.writeString("Settings", "Bad=Key", "x"));
    EXPECT_FALSE(profile.writeString("Set]tings", "Key", "x"));
    EXPECT_EQ(sink.messages.size(), 3u);
    EXPECT_EQ(readFile(path), "[Settings]\nBackupDir=/old\n");

    // Several values in one write: all of them, in order, or none when one is refused.
    EXPECT_FALSE(profile.writeStrings("Settings", {{"Menu", "yes"}, {"ToolBar", "a\rb"}}));
    EXPECT_EQ(readFile(path), "[Settings]\nBackupDir=/old\n");
    EXPECT_TRUE(profile.writeStrings(
        "Settings", {{"Menu", "yes"}, {"BackupDir", "/new"}, {" ToolBar ", "no"}}));
    EXPECT_EQ(readFile(path), "[Settings]\nBackupDir=/new\nMenu=yes\nToolBar=no\n");
    EXPECT_TRUE(profile.writeStrings("Fresh", {{"A", "1"}, {"B", "2"}}));
    EXPECT_EQ(profile.readString("Fresh", "B", "?"), "2");
    sink.clear();

    // The profile's directory cannot be made: a file stands in its way.
    writeFile(dir.file("blocker"), "");
    sink.clear();
    Profile blocked(dir.file("blocker/daylark.ini"), sink);
    EXPECT_FALSE(blocked.writeString("Settings", "Menu", "yes"));
    EXPECT_FALSE(blocked.writeString("Settings", "ToolBar", "yes"));
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(readFile(dir.file("blocker")), "");
}

} // namespace
} // namespace daylark::test
