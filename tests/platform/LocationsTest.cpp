#include "platform/Locations.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <map>

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
    const std::string homeData = "/home/u/.local/share/daylark";
    const std::string homeProfile = "/home/u/.config/daylark/daylark.ini";
    const struct
    {
        LocationOptions options;
        Environment environment; // HOME=/home/u is always set
        std::string dataDir, profile;
    } cases[] = {
        {{}, {}, homeData, homeProfile},
        {{},
         {{"XDG_DATA_HOME", "/xd"}, {"XDG_CONFIG_HOME", "/xc/"}},
         "/xd/daylark",
         "/xc/daylark/daylark.ini"},
        // Relative or empty values are ignored.
        {{},
         {{"XDG_DATA_HOME", "rel"}, {"XDG_CONFIG_HOME", ""}, {"DAYLARK_DATA_DIR", ""}},
         homeData,
         homeProfile},
        {{}, {{"XDG_DATA_HOME", "/xd"}, {"DAYLARK_DATA_DIR", "/dd"}}, "/dd", homeProfile},
        {{"/opt/data", "/opt/p.ini", std::nullopt},
         {{"DAYLARK_DATA_DIR", "/dd"}, {"XDG_CONFIG_HOME", "/xc"}},
         "/opt/data",
         "/opt/p.ini"},
        {{"", "", ""}, {{"DAYLARK_DATA_DIR", "/dd"}}, "/dd", homeProfile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Environment environment = c.environment;
        environment["HOME"] = "/home/u";
        const Locations locations = resolveWith(c.options, environment);
        EXPECT_EQ(locations.dataDir(), c.dataDir);
        EXPECT_EQ(locations.profilePath(), c.profile);
        EXPECT_EQ(locations.dayFile(), c.dataDir + "/daylark.day");
    }
    LocationOptions dayFile;
    dayFile.dayFile = "elsewhere/today.day";
    EXPECT_EQ(resolveWith(dayFile, {{"HOME", "/h"}}).dayFile(), "elsewhere/today.day");
}

TEST(Locations, DataDirectoryIsCreatedPrivatelyAndFilesFoundWithoutCase)
{
    TempDir dir;
    LocationOptions options;
    options.dataDir = dir.file("share/daylark");
    const Locations locations = resolveWith(options, {});
    ASSERT_EQ(locations.ensureDataDir(), 0);
    EXPECT_EQ(std::filesystem::status(locations.dataDir()).permissions(),
              std::filesystem::perms::owner_all);
    EXPECT_EQ(locations.ensureDataDir(), 0);

    writeFile(dir.file("share/daylark/DayLark.fut"), "");
    writeFile(dir.file("share/daylark/DAYLARK.DAY"), "");
    const Locations found = resolveWith(options, {});
    EXPECT_EQ(found.futurePath(), dir.file("share/daylark/DayLark.fut"));
    EXPECT_EQ(found.alarmPath(), dir.file("share/daylark/daylark.alm"));
    EXPECT_EQ(found.listsPath(), dir.file("share/daylark/daylark.tdl"));
    EXPECT_EQ(found.archivePath(1996), dir.file("share/daylark/1996.dlk"));
    EXPECT_EQ(found.dayFile(), dir.file("share/daylark/DAYLARK.DAY"));
    // Found when it appears later, too.
    writeFile(dir.file("share/daylark/DayLark.TDL"), "");
    EXPECT_EQ(found.listsPath(), dir.file("share/daylark/DayLark.TDL"));

    options.dataDir = dir.file("share/daylark/DayLark.fut");
    EXPECT_EQ(resolveWith(options, {}).ensureDataDir(), ENOTDIR);
}

} // namespace
} // namespace daylark::test
