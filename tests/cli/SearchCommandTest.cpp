#include "cli/CliTestSupport.h"
#include "platform/FileSystem.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

TEST(SearchCommand, PrintsEveryHitThenTheCountAndWritesNothing)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli; // now: Monday 3 March 1997
    createDirectories(cli.dir.file("data"));
    filePages(cli.dir.file("data/1997.dlk"),
              {{"1997-02-28", "milk only"}, {"1997-03-01", "Milk\r\nand bread"}}, cli.clock);
    const std::vector<std::string> before = namesIn(cli.dir.file("data"));

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
    createDirectories(cli.dir.file("config/daylark"));
    writeFile(cli.dir.file("config/daylark/daylark.ini"), "[Settings]\r\nUseUTC=yes\r\n");
    EXPECT_EQ(cli.run({"search", "only"}).out.substr(0, 27), "PAGE: Fri Feb 28 1997\r\r\nmil");
    EXPECT_EQ(namesIn(cli.dir.file("data")), before); // no alarm file created, no lock taken

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
