#include "platform/Locations.h"

#include "platform/DataDirLock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <sys/stat.h>

namespace daylark::test {
namespace {

using Environment = std::map<std::string, std::string>;

Locations resolveWith(const LocationOptions& options, const Environment& environment)
{
    return Locations::resolve(options, [&environment](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    });
}

TEST(Locations, OptionsThenVariablesThenXdgDefaults)
{
    const Environment home{{"HOME", "/home/u"}};
    const struct
    {
        const char* label;
        LocationOptions options;
        Environment environment;
        const char* dataDir;
        const char* profile;
    } cases[] = {
        {"defaults",
         {},
         home,
         "/home/u/.local/share/daylark",
         "/home/u/.config/daylark/daylark.ini"},
        {"xdg",
         {},
         {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/xd"}, {"XDG_CONFIG_HOME", "/xc/"}},
         "/xd/daylark",
         "/xc/daylark/daylark.ini"},
        {"relative or empty values ignored",
         {},
         {{"HOME", "/home/u"},
          {"XDG_DATA_HOME", "rel"},
          {"XDG_CONFIG_HOME", ""},
          {"DAYLARK_DATA_DIR", ""}},
         "/home/u/.local/share/daylark",
         "/home/u/.config/daylark/daylark.ini"},
        {"variable",
         {},
         {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/xd"}, {"DAYLARK_DATA_DIR", "/dd"}},
         "/dd",
         "/home/u/.config/daylark/daylark.ini"},
        {"options win",
         {std::string("/opt/data"), std::string("/opt/p.ini"), std::nullopt},
         {{"HOME", "/home/u"}, {"DAYLARK_DATA_DIR", "/dd"}, {"XDG_CONFIG_HOME", "/xc"}},
         "/opt/data",
         "/opt/p.ini"},
        {"empty options ignored",
         {std::string(), std::string(), std::string()},
         {{"HOME", "/home/u"}, {"DAYLARK_DATA_DIR", "/dd"}},
         "/dd",
         "/home/u/.config/daylark/daylark.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Locations locations = resolveWith(c.options, c.environment);
        EXPECT_EQ(locations.dataDir(), c.dataDir);
        EXPECT_EQ(locations.profilePath(), c.profile);
        EXPECT_EQ(locations.dayFile(), std::string(c.dataDir) + "/daylark.day");
    }

    LocationOptions dayFile;
    dayFile.dayFile = "elsewhere/today.day";
    EXPECT_EQ(resolveWith(dayFile, home).dayFile(), "elsewhere/today.day");
}

TEST(Locations, DataFilesAreFoundWithoutRegardToCase)
{
    TempDir dir;
    LocationOptions options;
    options.dataDir = dir.path();
    writeFile(dir.file("DayLark.fut"), "");
    writeFile(dir.file("daylark.alm"), "");
    writeFile(dir.file("DAYLARK.DAY"), "");
    const Locations locations = resolveWith(options, {});

    EXPECT_EQ(locations.futurePath(), dir.file("DayLark.fut"));
    EXPECT_EQ(locations.alarmPath(), dir.file("daylark.alm"));
    EXPECT_EQ(locations.listsPath(), dir.file("daylark.tdl"));
    EXPECT_EQ(locations.archivePath(1996), dir.file("1996.dlk"));
    EXPECT_EQ(locations.dayFile(), dir.file("DAYLARK.DAY"));
    // Found when it appears later, too.
    writeFile(dir.file("DayLark.TDL"), "");
    EXPECT_EQ(locations.listsPath(), dir.file("DayLark.TDL"));
}

TEST(Locations, DataDirectoryIsCreatedPrivately)
{
    TempDir dir;
    LocationOptions options;
    options.dataDir = dir.file("share/daylark");
    const Locations locations = resolveWith(options, {});
    ASSERT_EQ(locations.ensureDataDir(), 0);
    struct stat info
    {
    };
    ASSERT_EQ(::stat(dir.file("share/daylark").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(locations.ensureDataDir(), 0);

    writeFile(dir.file("plain"), "");
    options.dataDir = dir.file("plain");
    EXPECT_EQ(resolveWith(options, {}).ensureDataDir(), ENOTDIR);
}

TEST(DataDirLock, OneHolderAtATime)
{
    TempDir dir;
    int error = -1;
    auto first = DataDirLock::acquire(dir.path(), std::chrono::milliseconds(0), &error);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(fileExists(dir.file(".daylark.lock")));

    EXPECT_FALSE(DataDirLock::acquire(dir.path(), std::chrono::milliseconds(120), &error));
    EXPECT_EQ(error, EWOULDBLOCK);

    // A moved lock stays held; it is released when its last owner goes.
    std::optional<DataDirLock> moved = std::move(first);
    first.reset();
    EXPECT_FALSE(DataDirLock::acquire(dir.path(), std::chrono::milliseconds(0)));
    moved.reset();
    EXPECT_TRUE(DataDirLock::acquire(dir.path(), std::chrono::milliseconds(0)));

    EXPECT_FALSE(DataDirLock::acquire(dir.file("missing"), std::chrono::milliseconds(0), &error));
    EXPECT_EQ(error, ENOENT);
}

} // namespace
} // namespace daylark::test
