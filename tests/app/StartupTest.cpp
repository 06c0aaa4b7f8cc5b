#include "app/Startup.h"

#include "platform/FileSystem.h"
#include "platform/Locations.h"
#include "platform/Profile.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace daylark::test {
namespace {

constexpr std::int64_t kNow = 857397900;      // Monday 3 March 1997, 14:05 UTC
constexpr std::int64_t kLastYear = 851990400; // 30 December 1996 in New York

TEST(Startup, NamesTheFilesAndLoadsTheDayFileWhenThereIsOne)
{
    ScopedTimeZone zone(kEastern);
    TempDir dir;
    RecordingSink sink;
    FixedClock clock(kNow);
    Profile profile(dir.file("daylark.ini"), sink);
    profile.writeString("Settings", "Font", "-16,0,0,0,700,0,0,0,0,0,0,0,34,Serif");
    const std::string data = dir.file("data");
    createDirectories(data);
    const std::string loaded("\x02\0\0\0\x80\x57\xC8\x32\0\0\0\0\x02hi", 15);

    // What the case is, the --day-file option, the day file, and whether it is written first.
    const std::tuple<const char*, std::optional<std::string>, std::string, bool> cases[] = {
        {"no day file yet", {}, data + "/daylark.day", false},
        {"in the data directory, whatever its case", {}, data + "/DayLark.Day", true},
        {"named on the command line", dir.file("elsewhere.day"), dir.file("elsewhere.day"), true},
    };
    for (const auto& [what, option, file, exists] : cases) {
        SCOPED_TRACE(what);
        if (exists) {
            writeFile(file, loaded);
        }
        CDaylarkDoc doc(sink, clock, profile);
        const auto noEnvironment = [](const char*) -> const char* { return nullptr; };
        EXPECT_EQ(startDocument(doc, Locations::resolve({data, {}, option}, noEnvironment)),
                  exists ? CDaylarkDoc::LoadResult::Loaded : CDaylarkDoc::LoadResult::Missing);
        EXPECT_EQ(doc.dayFilePath(), file);
        EXPECT_EQ(doc.pageText().text(), exists ? "hi" : "");
        EXPECT_EQ(doc.pageDate(), exists ? kLastYear : kNow);
        EXPECT_EQ(doc.pageArchive().fileName(), data + (exists ? "/1996.dlk" : "/1997.dlk"));
        const FileStatus status = fileStatus(file);
        EXPECT_EQ(doc.dayFileStatus(), (CDaylarkDoc::DayFileStatus{status.modified, status.size,
                                                                   status.modifiedNanoseconds}));
        EXPECT_EQ(status.exists, exists); // start-up writes nothing
        EXPECT_EQ(doc.pageFont().FaceName, "Serif");
        removeFile(file);
    }
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace daylark::test
