#include "cli/CliTestSupport.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace daylark::test {
namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

/// The line of `date` among the cell lines; empty when the grid does not show it.
std::string lineOf(const std::vector<std::string>& lines, const std::string& date)
{
    for (const std::string& line : lines) {
        if (line.compare(0, date.size() + 1, date + '\t') == 0) {
            return line;
        }
    }
    return {};
}

TEST(CalendarCommand, PrintsTheGridWithClassesHolidaysAndVisibleAlarms)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli; // now: Monday 3 March 1997
    // Reading a data set that has no alarm file creates nothing.
    const CliRun empty = cli.run({"calendar"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_FALSE(std::filesystem::exists(cli.dir.file("data/daylark.alm")));
    EXPECT_EQ(lineOf(linesOf(empty.out), "1997-03-03"), "1997-03-03\ttoday\t");

    ASSERT_EQ(cli.run({"alarm", "add", "Dentist", "--at", "1997-03-03 09:30"}).status, 0);
    ASSERT_EQ(
        cli.run({"alarm", "add", "Swim\tlane\\2", "--at", "1997-03-04 18:00", "--every", "weekly"})
            .status,
        0);
    ASSERT_EQ(cli.run({"alarm", "add", "Pills", "--at", "1997-03-01 08:00", "--every", "daily",
                       "--hidden"})
                  .status,
              0);

    const CliRun march = cli.run({"calendar"});
    EXPECT_EQ(march.status, 0) << march.err;
    const std::vector<std::string> lines = linesOf(march.out);
    ASSERT_EQ(lines.size(), 43u);
    EXPECT_EQ(lines[0], "March 1997");
    EXPECT_EQ(lines[1], "1997-02-23\tother\t");
    EXPECT_EQ(lines[42], "1997-04-05\tother\t");
    EXPECT_EQ(lineOf(lines, "1997-02-25"), "1997-02-25\tother\t\tSwim\\tlane\\\\2");
    EXPECT_EQ(lineOf(lines, "1997-03-01"), "1997-03-01\tmonth\t");
    EXPECT_EQ(lineOf(lines, "1997-03-03"), "1997-03-03\ttoday\t\tDentist");
    EXPECT_EQ(lineOf(lines, "1997-03-04"), "1997-03-04\tmonth\t\tSwim\\tlane\\\\2");
    EXPECT_EQ(march.out.find("Pills"), std::string::npos);

    const std::vector<std::string> december = linesOf(cli.run({"calendar", "1996-12"}).out);
    ASSERT_EQ(december.size(), 43u);
    EXPECT_EQ(december[0], "December 1996");
    EXPECT_EQ(december[1], "1996-12-01\tmonth\t"); // 1 December 1996 was a Sunday
    EXPECT_EQ(lineOf(december, "1996-12-24"), "1996-12-24\tmonth\t\tSwim\\tlane\\\\2");
    EXPECT_EQ(lineOf(december, "1996-12-25"), "1996-12-25\tmonth\tChristmas!");
    EXPECT_EQ(lineOf(december, "1997-01-01"), "1997-01-01\tother\tHappy New Year");

    // Today's day and month in another year is an ordinary day.
    const std::vector<std::string> lastYear = linesOf(cli.run({"calendar", "1996-03"}).out);
    EXPECT_EQ(lineOf(lastYear, "1996-03-03"), "1996-03-03\tmonth\t");
    EXPECT_EQ(linesOf(cli.run({"calendar", "1997-02"}).out)[0], "February 1997");
}

TEST(CalendarCommand, AMalformedMonthIsBadUsage)
{
    ScopedTimeZone zone(kEastern);
    CliHarness cli;
    const std::vector<std::vector<std::string>> cases = {
        {"calendar", "1997-3"},     {"calendar", "1997-13"},
        {"calendar", "1997-00"},    {"calendar", "97-03"},
        {"calendar", "1997-03-01"}, {"calendar", "1997/03"},
        {"calendar", "199a-03"},    {"calendar", "-997-03"},
        {"calendar", ""},           {"calendar", "1997-03", "1997-04"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[1]);
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("daylark-cli: ", 0), 0u) << run.err;
    }
}

} // namespace
} // namespace daylark::test
