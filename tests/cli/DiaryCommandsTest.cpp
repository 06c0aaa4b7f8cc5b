#include "cli/CliTestSupport.h"
#include "platform/FileSystem.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

std::string dayFileBytes(std::int64_t date, const std::string& text)
{
    std::string bytes("\x02\0\0\0", 4);
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>(static_cast<std::uint32_t>(date) >> (8 * i));
    }
    return bytes + std::string(4, '\0') + static_cast<char>(text.size()) + text;
}

class DiaryCommandsTest : public ::testing::Test
{
protected:
    DiaryCommandsTest() { createDirectories(data); }

    ScopedTimeZone zone{kEastern};
    CliHarness cli;
    const std::string data = cli.dir.file("data");
    const std::string dayFile = data + "/daylark.day";
};

TEST_F(DiaryCommandsTest, TodayPrintsThePageAndAddAppendsLines)
{
    CliRun run = cli.run({"today"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fileExists(dayFile)); // nothing changed, nothing written

    // Each step: the arguments, standard input, then the page afterwards.
    const std::tuple<std::vector<std::string>, std::string, std::string> steps[] = {
        {{"add", "Buy", "bread"}, "", "Buy bread"},
        {{"add", "{}", "Call", "Bob"}, "", "Buy bread\r\n{} Call Bob"},
        {{"add", "-"}, "two\nlines\n", "Buy bread\r\n{} Call Bob\r\ntwo\r\nlines"},
        {{"today"}, "", "Buy bread\r\n{} Call Bob\r\ntwo\r\nlines"},
    };
    for (const auto& [args, input, page] : steps) {
        SCOPED_TRACE(page);
        run = cli.run(args, input);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(readFile(dayFile), dayFileBytes(cli.clock.time, page));
    }
    EXPECT_EQ(run.out, std::get<2>(steps[3]));

    // Bytes as stored; a page ending in a line break gets no empty line before the addition.
    writeFile(dayFile, dayFileBytes(cli.clock.time - 3600, std::string("\xE9\0\r\r\n", 5)));
    EXPECT_EQ(cli.run({"today"}).out, std::string("\xE9\0\r\r\n", 5));
    EXPECT_EQ(cli.run({"add", "next"}).status, 0);
    EXPECT_EQ(readFile(dayFile),
              dayFileBytes(cli.clock.time - 3600, std::string("\xE9\0\r\r\nnext", 9)));
    EXPECT_EQ(cli.run({"add"}).status, 2);
}

// The first run on a new day files yesterday's page and starts today's; due alarms are never
// announced, the summary of today's alarms goes to standard error.
TEST_F(DiaryCommandsTest, TheFirstRunOnANewDayChangesTheDay)
{
    const std::vector<std::vector<std::string>> monday = {
        {"add", "{}", "Call", "Bob"},
        {"add", "{x}", "done"},
        {"note", "1997-03-04", "Pay", "rent"},
        {"alarm", "add", "Dentist", "--at", "1997-03-03 09:30"},
        {"alarm", "add", "Pills", "--at", "1997-03-01 08:00", "--every", "daily"},
    };
    for (const auto& args : monday) {
        ASSERT_EQ(cli.run(args).status, 0) << args[0];
    }
    ASSERT_EQ(cli.run({"list", "Shopping", "-"}, "{x} Milk\n{} Eggs\n").status, 0);

    cli.clock.advance(86400);
    const std::string carried = "{} Call Bob\r\r\n\r\r\nPay rent";
    // Nothing is announced; the once alarm whose time came meanwhile is named once.
    const std::string summaries[] = {
        "[Today's Alarms]\nMissed, Monday, March 3, 9:30:00AM 1997: Dentist\nDaily: Pills\n\n",
        "[Today's Alarms]\nDaily: Pills\n\n"};
    for (const std::string& summary : summaries) {
        SCOPED_TRACE(summary);
        const CliRun today = cli.run({"today"});
        EXPECT_EQ(today.status, 0) << today.err;
        EXPECT_EQ(today.out, carried);
        EXPECT_EQ(today.err, summary);
        EXPECT_EQ(readFile(dayFile), dayFileBytes(cli.clock.time, carried));
    }
    // The page's last line and the list's done line stay two lines.
    EXPECT_EQ(cli.run({"page", "1997-03-03"}).out,
              "{x} done\r\r\n{x} Milk\r\r\n\r\r\nAlarm, Dentist, at, Monday, March 3, "
              "9:30:00AM 1997, removed");
    EXPECT_EQ(cli.run({"list", "Shopping"}).out, "{} Eggs");
    EXPECT_EQ(cli.run({"alarms", "1997-03-03"}).out, "08:00 daily Pills\n");
}

// Started before the day is over, the collection removes yesterday's once alarm: its line goes
// on the current page, to be filed with it.
TEST_F(DiaryCommandsTest, AnAlarmRemovedWithoutAChangeOfDayLeavesItsLineOnThePage)
{
    const std::int64_t monday = cli.clock.time;
    cli.clock.time = monday - 86400;
    ASSERT_EQ(cli.run({"alarm", "add", "Vet", "--at", "1997-03-02 10:00"}).status, 0);
    cli.clock.time = monday;
    writeFile(dayFile, dayFileBytes(monday, "first"));
    EXPECT_EQ(cli.run({"today"}).err,
              "[Today's Alarms]\nMissed, Sunday, March 2, 10:00:00AM 1997: Vet\n\n");
    const std::string vet = "\r\r\nAlarm, Vet, at, Sunday, March 2, 10:00:00AM 1997, removed";
    EXPECT_EQ(readFile(dayFile), dayFileBytes(monday, "first" + vet));
    EXPECT_EQ(cli.run({"alarms", "1997-03-02"}).out, "");

    cli.clock.advance(86400);
    const CliRun today = cli.run({"today"});
    EXPECT_EQ(today.err, "");
    EXPECT_EQ(cli.run({"page", "1997-03-03"}).out, "first" + vet);
}

// The clock was a year ahead when the page was started: the CLI says so and moves nothing.
TEST_F(DiaryCommandsTest, APageDatedLaterThanNowIsReportedAndLeftAlone)
{
    const std::string ahead = dayFileBytes(cli.clock.time + 366 * 86400, "text");
    writeFile(dayFile, ahead);
    const CliRun run = cli.run({"today"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "text");
    EXPECT_NE(run.err.find("Today's page is dated Wednesday, March 4, 1998"), std::string::npos)
        << run.err;
    EXPECT_EQ(readFile(dayFile), ahead);
}

TEST_F(DiaryCommandsTest, ADamagedDayFileStopsTodayAndAddWithoutWriting)
{
    const std::string damaged = dayFileBytes(cli.clock.time, "cut short").substr(0, 15);
    writeFile(dayFile, damaged);
    EXPECT_EQ(cli.run({"add", "more"}).status, 1);
    const CliRun run = cli.run({"today"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Archive Exception, 3, reading daylark.day file"), std::string::npos);
    EXPECT_EQ(readFile(dayFile), damaged);
    EXPECT_EQ(readFile(dayFile + ".damaged.000"), damaged);
    EXPECT_NE(run.err.find("kept as " + dayFile + ".damaged.000."), std::string::npos) << run.err;
    EXPECT_FALSE(fileExists(dayFile + ".damaged.001")); // the same bytes are copied once
}

TEST_F(DiaryCommandsTest, PageFindsEveryPageOfTheYearAndPagesListsThemInFileOrder)
{
    std::vector<DatedText> filed;
    std::string listing;
    for (int n = 1; n <= 300; ++n) {
        filed.emplace_back(formatTime("%Y-%m-%d", makeLocalTime(1997, 1, n), false),
                           "Day " + std::to_string(n) + std::string(n, '.') + "\r\r\nsecond line");
        const auto& [day, text] = filed.back();
        listing += day + " " + text.substr(0, std::min<std::size_t>(text.find('\r'), 200)) + "\n";
    }
    filePages(data + "/1997.dlk", filed, cli.clock);
    for (const auto& [day, text] : filed) {
        const CliRun run = cli.run({"page", day});
        ASSERT_EQ(run.status, 0) << day << run.err;
        EXPECT_EQ(run.out, text) << day;
    }
    EXPECT_EQ(cli.run({"pages", "1997"}).out, listing);
    EXPECT_EQ(cli.run({"pages"}).out, listing); // this year by default

    const CliRun missing = cli.run({"page", "1997-12-25"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no page is filed for 1997-12-25"), std::string::npos);
    EXPECT_EQ(cli.run({"page", "1996-12-25"}).status, 1);
    EXPECT_EQ(cli.run({"pages", "1996"}).status, 1);
    EXPECT_EQ(cli.run({"page", "1997-02-30"}).status, 2);
    EXPECT_EQ(cli.run({"pages", "97"}).status, 2);

    // The last entry's backward offset points into the header: a read failure, exit 1.
    std::string bytes = readFile(data + "/1997.dlk");
    const std::size_t last = static_cast<unsigned char>(bytes[bytes.size() - 4]) |
                             (static_cast<unsigned char>(bytes[bytes.size() - 3]) << 8);
    bytes.replace(last - 4, 4, std::string("\x08\0\0\0", 4));
    writeFile(data + "/1997.dlk", bytes);
    const CliRun damaged = cli.run({"pages", "1997"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("Archive Exception, 5, reading page"), std::string::npos);
}

// A value other than 16 at offset 12 means the file is no archive, whatever follows: every
// reader says so, and the next filing moves all of it aside before it starts the archive again.
TEST_F(DiaryCommandsTest, AnArchiveWithoutItsHeaderIsDamagedAndMovedAsideWhole)
{
    const std::string archive = data + "/1997.dlk";
    filePages(archive, {{"1997-02-27", "first"}, {"1997-02-28", "second"}}, cli.clock);
    std::string bytes = readFile(archive);
    bytes[12] = 17;
    writeFile(archive, bytes);
    const std::vector<std::vector<std::string>> readers = {
        {"pages", "1997"}, {"page", "1997-02-28"}, {"search", "second"}};
    for (const auto& args : readers) {
        SCOPED_TRACE(args.front());
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(archive + " does not begin with an archive header"),
                  std::string::npos)
            << run.err;
    }
    const CliRun dump = cli.run({"dump", archive});
    EXPECT_EQ(dump.status, 1);
    EXPECT_NE(dump.out.find("damaged: "), std::string::npos) << dump.out;

    writeDayFile(dayFile, {2, cli.clock.time - 86400, 0, "yesterday"});
    const CliRun today = cli.run({"today"});
    EXPECT_NE(today.err.find("It was moved whole into " + archive + ".damaged.000"),
              std::string::npos)
        << today.err;
    EXPECT_EQ(readFile(archive + ".damaged.000"), bytes);
    EXPECT_EQ(pagesOf(archive), (std::vector<DatedText>{{"1997-03-02", "yesterday"}}));
    EXPECT_EQ(cli.run({"pages", "1997"}).status, 0);
}

} // namespace
} // namespace daylark::test
