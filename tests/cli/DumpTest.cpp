#include "cli/CliTestSupport.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

/// The bytes of a year archive holding `pages`, as filing writes them.
std::string archiveWith(const std::vector<DatedText>& pages)
{
    const TempDir scratch;
    filePages(scratch.file("1997.dlk"), pages, FixedClock(857000000));
    return readFile(scratch.file("1997.dlk"));
}

const std::vector<DatedText> kTwoPages = {{"1997-03-03", "first"}, {"1997-03-04", "second"}};

TEST(Dump, DecodesEveryKindOfDataFile)
{
    ScopedTimeZone zone("UTC");
    CliHarness cli;
    writeDayFile(cli.dir.file("daylark.day"), {2, 857347200, 0, "{} tea\r\ncaf\xE9"});
    writeDayFile(cli.dir.file("old.day"), {0, 857347200, 0, "x"});
    saveRecords<CAlarmFile>(cli.dir.file("DayLark.ALM"),
                            alarm("Tea", "1997-03-03 10:00", Frequency::Daily));
    saveRecords<CFutureFile>(cli.dir.file("notes"), note("1997-03-04", "A"),
                             note("1997-03-05", "B"));
    writeFile(cli.dir.file("1997.dlk"), archiveWith(kTwoPages));

    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{"dump", cli.dir.file("daylark.day")},
         {"layout: versioned", "version: 2", "date: 857347200 (1997-03-03 00:00:00)", "flag: 0",
          "text: {} tea\\r\\ncaf\\xE9"}},
        {{"dump", cli.dir.file("old.day")}, {"layout: old", "text: x"}},
        {{"dump", cli.dir.file("DayLark.ALM")},
         {"file version: 100", "count: 1", "record: 1", "RecordVersion: 101", "Name: Tea",
          "Frequency: 1", "MessageBoxFlag: 1", "Announced: 0", "VisibleOnCalendar: 1"}},
        {{"dump", cli.dir.file("notes"), "--as", "fut"}, {"count: 2", "record: 2", "text: B"}},
        {{"dump", cli.dir.file("1997.dlk")},
         {"archive version: 101", "first entry: 16", "entry: 1", "start: 16", "text: first",
          "entry: 2", "text: second", "date: 857476800 (1997-03-04 12:00:00)"}},
    };
    for (const auto& [args, lines] : cases) {
        SCOPED_TRACE(args[1]);
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 0) << run.err;
        for (const std::string& line : lines) {
            EXPECT_NE(run.out.find(line + "\n"), std::string::npos) << line << "\n" << run.out;
        }
    }
}

TEST(Dump, CorruptFilesPrintWhatWasReadThenTheFailure)
{
    CliHarness cli;
    saveRecords<CAlarmFile>(cli.dir.file("short.alm"),
                            alarm("Only", "1997-03-03 10:00", Frequency::Once));
    std::string bytes = readFile(cli.dir.file("short.alm"));
    bytes[4] = 2; // the count announces two records; the file holds one
    writeFile(cli.dir.file("short.alm"), bytes);
    writeFile(cli.dir.file("daylark.tdl"),
              std::string("\x64\0\0\0\1\0\xFF\xFF\x01\0\x0C\0CDaylarkNote", 24));
    bytes = archiveWith(kTwoPages);
    bytes[16] = 20; // the first entry claims to end inside itself
    writeFile(cli.dir.file("1998.dlk"), bytes);

    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"short.alm", "Name: Only\n",
         "Archive Exception, 3, reading Alarm \nException: Unexpectedly reached end of file "
         "while reading an object.\n"},
        {"daylark.tdl", "count: 1\n",
         "Archive Exception, 6, reading Todo list \nException: Attempt to read an object into "
         "an object of the wrong type.\n"},
        {"1998.dlk", "archive version: 101\n",
         "Archive Exception, 5, reading page \nException: Invalid File format.\n"},
        {"missing.fut", "",
         "File Exception, 2, reading Future \nException: The File could not be located.\n"},
    };
    for (const auto& [file, printed, message] : cases) {
        SCOPED_TRACE(file);
        const CliRun run = cli.run({"dump", cli.dir.file(file)});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(printed), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "[Daylark]\n" + message);
    }
}

TEST(Dump, ATornAppendIsReportedAtEveryCut)
{
    CliHarness cli;
    const std::string one = archiveWith({kTwoPages[0]});
    const std::string two = archiveWith(kTwoPages);
    ASSERT_EQ(two.substr(0, one.size()), one);
    for (std::size_t cut = one.size() + 1; cut < two.size(); ++cut) {
        SCOPED_TRACE(cut);
        writeFile(cli.dir.file("1997.dlk"), two.substr(0, cut));
        const CliRun run = cli.run({"dump", cli.dir.file("1997.dlk")});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("text: first\n"), std::string::npos);
        EXPECT_NE(run.out.find("torn tail: offset " + std::to_string(one.size()) + ", length " +
                               std::to_string(cut - one.size())),
                  std::string::npos)
            << run.out;
    }
}

} // namespace
} // namespace daylark::test
