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

TEST(SearchCommand, FindsBothSpellingsOfATermAndRefusesNumbersOutOfRange)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli; // now: Monday 3 March 1997
    createDirectories(cli.dir.file("data"));
    filePages(cli.dir.file("data/1997.dlk"),
              {{"1997-02-27", "na\xEFve"},
               {"1997-02-28", "caf\xE9 au lait"},
               {"1997-03-01", "Caf\xC3\xA9 noir"}},
              cli.clock);

    // Terms arrive as UTF-8; an older page holds Windows-1252, printed as it stands.
    EXPECT_EQ(cli.run({"search", "caf\xC3\xA9"}).out,
              "PAGE: Saturday, March 1, 1997\r\r\nCaf\xC3\xA9 noir\n\n"
              "PAGE: Friday, February 28, 1997\r\r\ncaf\xE9 au lait\n\nHits: 2\n");
    // The ASCII letters fold in either spelling.
    EXPECT_EQ(cli.run({"search", "lait", "--and", "CAF\xC3\xA9"}).out,
              "PAGE: Friday, February 28, 1997\r\r\ncaf\xE9 au lait\n\nHits: 1\n");
    EXPECT_EQ(cli.run({"search", "tea", "--or", "na\xC3\xAFve"}).out,
              "PAGE: Thursday, February 27, 1997\r\r\nna\xEFve\n\nHits: 1\n");

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"search", "noir", "--months", "2147483648"}, "--months"},
        {{"search", "noir", "--max", "999999999999"}, "--max"},
    };
    for (const auto& [args, option] : refused) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(option + " takes a whole number from -2147483648 to 2147483647"),
                  std::string::npos)
            << run.err;
    }
}

} // namespace
} // namespace daylark::test
