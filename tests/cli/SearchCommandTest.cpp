#include "cli/CliTestSupport.h"
#include "diary/CPageArchive.h"
#include "platform/LocalTime.h"
#include "support/RecordingSink.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace daylark::test {
namespace {

std::set<std::string> filesIn(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(SearchCommand, PrintsEveryHitThenTheCountAndWritesNothing)
{
    ScopedTimeZone zone("EST5EDT,M4.1.0,M10.5.0");
    CliHarness cli; // now: Monday 3 March 1997
    std::filesystem::create_directories(cli.dir.file("data"));
    {
        RecordingSink sink;
        CPageArchive archive(cli.dir.file("data/1997.dlk"), sink, cli.clock);
        for (const auto& [day, text] : {std::pair{28, "milk only"}, {1, "Milk\r\nand bread"}}) {
            CDaylarkPage page;
            page.Date = makeLocalTime(1997, day == 28 ? 2 : 3, day, 12);
            page.Text = text;
            ASSERT_GT(archive.AppendPage(page), 0);
        }
    }
    const std::set<std::string> before = filesIn(cli.dir.file("data"));

    const CliRun both = cli.run({"search", "milk"});
    EXPECT_EQ(both.status, 0);
    EXPECT_EQ(both.err, "");
    EXPECT_EQ(both.out, "PAGE: Saturday, March 1, 1997\r\r\nMilk\r\nand bread\n\n"
                        "PAGE: Friday, February 28, 1997\r\r\nmilk only\n\nHits: 2\n");
    EXPECT_EQ(cli.run({"search", "MILK", "--and", "bread"}).out.substr(0, 30),
              "PAGE: Saturday, March 1, 1997\r");
    EXPECT_EQ(cli.run({"search", "tea", "--or", "only", "--max=0"}).out,
              "Text not Found...\n\nHits: 0\n");
    EXPECT_EQ(cli.run({"search", "tea", "--months", "0"}).out, "Text not Found...\n\nHits: 0\n");
    std::filesystem::create_directories(cli.dir.file("config/daylark"));
    writeFile(cli.dir.file("config/daylark/daylark.ini"), "[Settings]\r\nUseUTC=yes\r\n");
    EXPECT_EQ(cli.run({"search", "only"}).out.substr(0, 27), "PAGE: Fri Feb 28 1997\r\r\nmil");
    EXPECT_EQ(filesIn(cli.dir.file("data")), before); // no alarm file created, no lock taken

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"search"},
                                               {"search", "a", "--and", "b", "--or", "c"},
                                               {"search", "a", "--max", "x"}}) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    }
}

} // namespace
} // namespace daylark::test
