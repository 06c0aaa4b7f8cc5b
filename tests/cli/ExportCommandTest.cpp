#include "alarms/CAlarmFile.h"
#include "cli/CliTestSupport.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace daylark::test {
namespace {

/// New York's rule since 2007: summer time from 9 March 1997 in this rule's reckoning.
constexpr const char* kEasternNow = "EST5EDT,M3.2.0,M11.1.0";

/// Lines joined by CR LF, each ended by one.
std::string crlf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

/// Every file under `dir` and its bytes, by path relative to `dir`.
std::map<std::string, std::string> filesUnder(const std::string& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files[std::filesystem::relative(entry.path(), dir).string()] =
                readFile(entry.path().string());
        }
    }
    return files;
}

TEST(ExportCommand, AlarmsBecomeAnICalendarFileByteForByte)
{
    ScopedTimeZone zone(kEasternNow);
    CliHarness cli; // 3 March 1997, 9:05 in the morning here
    const std::string data = cli.dir.file("data");
    std::filesystem::create_directories(data);
    saveRecords<CAlarmFile>(
        data + "/daylark.alm", alarm("Dentist", "1997-03-03 09:30", Frequency::Once),
        alarm("Gym, weights; legs\\", "1997-03-04 18:00", Frequency::Weekly, 0, 0, 0),
        alarm("Stand-up", "1997-03-07 08:15", Frequency::Biweekly),
        alarm("Rent", "1997-01-31 08:00", Frequency::Monthly),
        alarm("Mum", "1996-02-29 07:00", Frequency::Birthday),
        alarm("Caf\xE9 with Ana\r\nand \xC3\xA9mile, a long name that goes on past the fold",
              "1997-03-09 12:00", Frequency::Yearly),
        alarm("Dentist", "1997-03-03 09:30", Frequency::Once));
    const std::map<std::string, std::string> before = filesUnder(data);

    const CliRun run = cli.run({"export", "ics", "-"});
    EXPECT_EQ(run.status, 0) << run.err;
    // Every alarm starts on its own date, even when OccursOn would place it earlier; the text
    // is UTF-8 (0xE9 read as Windows-1252), escaped, and folded at 75 octets; the second
    // Dentist keeps its own UID.
    EXPECT_EQ(run.out, crlf({"BEGIN:VCALENDAR",
                             "VERSION:2.0",
                             "PRODID:-//Daylark//Daylark day planner//EN",
                             "CALSCALE:GREGORIAN",
                             "BEGIN:VEVENT",
                             "UID:592c777ae5eee331@daylark",
                             "DTSTAMP:19970303T140500Z",
                             "SUMMARY:Dentist",
                             "DTSTART:19970303T093000",
                             "BEGIN:VALARM",
                             "ACTION:DISPLAY",
                             "DESCRIPTION:Dentist",
                             "TRIGGER:PT0S",
                             "END:VALARM",
                             "END:VEVENT",
                             "BEGIN:VEVENT",
                             "UID:4e3d6eebdec675db@daylark",
                             "DTSTAMP:19970303T140500Z",
                             "SUMMARY:Gym\\, weights\\; legs\\\\",
                             "DTSTART:19970304T180000",
                             "RRULE:FREQ=WEEKLY",
                             "BEGIN:VALARM",
                             "ACTION:DISPLAY",
                             "DESCRIPTION:Gym\\, weights\\; legs\\\\",
                             "TRIGGER:PT0S",
                             "END:VALARM",
                             "END:VEVENT",
                             "BEGIN:VEVENT",
                             "UID:6acd7fa28815d6fa@daylark",
                             "DTSTAMP:19970303T140500Z",
                             "SUMMARY:Stand-up",
                             "DTSTART:19970307T081500",
                             "RRULE:FREQ=WEEKLY;INTERVAL=2",
                             "BEGIN:VALARM",
                             "ACTION:DISPLAY",
                             "DESCRIPTION:Stand-up",
                             "TRIGGER:PT0S",
                             "END:VALARM",
                             "END:VEVENT",
                             "BEGIN:VEVENT",
                             "UID:0f2313d127d6a258@daylark",
                             "DTSTAMP:19970303T140500Z",
                             "SUMMARY:Rent",
                             "DTSTART:19970131T080000",
                             "RRULE:FREQ=MONTHLY;BYMONTHDAY=31",
                             "BEGIN:VALARM",
                             "ACTION:DISPLAY",
                             "DESCRIPTION:Rent",
                             "TRIGGER:PT0S",
                             "END:VALARM",
                             "END:VEVENT",
                             "BEGIN:VEVENT",
                             "UID:0a416e5c1069ccdb@daylark",
                             "DTSTAMP:19970303T140500Z",
                             "SUMMARY:Mum",
                             "DTSTART:19960229T070000",
                             "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=29",
                             "BEGIN:VALARM",
                             "ACTION:DISPLAY",
                             "DESCRIPTION:Mum",
                             "TRIGGER:PT0S",
                             "END:VALARM",
                             "END:VEVENT",
                             "BEGIN:VEVENT",
                             "UID:e0add887a7ddc558@daylark",
                             "DTSTAMP:19970303T140500Z",
                             "SUMMARY:Caf\xC3\xA9"
                             " with Ana\\nand \xC3\xA9"
                             "mile\\, a long name that goes on past the fold",
                             "DTSTART:19970309T120000",
                             "RRULE:FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=9",
                             "BEGIN:VALARM",
                             "ACTION:DISPLAY",
                             "DESCRIPTION:Caf\xC3\xA9"
                             " with Ana\\nand \xC3\xA9"
                             "mile\\, a long name that goes on past the ",
                             " fold",
                             "TRIGGER:PT0S",
                             "END:VALARM",
                             "END:VEVENT",
                             "BEGIN:VEVENT",
                             "UID:592c777ae5eee331-2@daylark",
                             "DTSTAMP:19970303T140500Z",
                             "SUMMARY:Dentist",
                             "DTSTART:19970303T093000",
                             "BEGIN:VALARM",
                             "ACTION:DISPLAY",
                             "DESCRIPTION:Dentist",
                             "TRIGGER:PT0S",
                             "END:VALARM",
                             "END:VEVENT",
                             "END:VCALENDAR"}));
    EXPECT_EQ(filesUnder(data), before); // reads only

    // The same file on disk; a later export keeps every UID and only moves the stamp.
    cli.clock.advance(86400);
    const std::string file = cli.dir.file("alarms.ics");
    EXPECT_EQ(cli.run({"export", "ics", file}).status, 0);
    std::string later = run.out;
    for (std::size_t at = 0; (at = later.find("DTSTAMP:19970303", at)) != std::string::npos;) {
        later.replace(at, 16, "DTSTAMP:19970304");
    }
    EXPECT_EQ(readFile(file), later);
    EXPECT_EQ(filesUnder(data), before);
}

TEST(ExportCommand, BadUsageAndTargetsInTheDataSetAreRefused)
{
    ScopedTimeZone zone(kEasternNow);
    CliHarness cli;
    const std::string data = cli.dir.file("data");
    std::filesystem::create_directories(data);
    saveRecords<CAlarmFile>(data + "/daylark.alm",
                            alarm("Gym", "2037-03-04 18:00", Frequency::Weekly));
    const std::string outside = cli.dir.file("alarms.ics");
    {
        std::ofstream(outside) << "the last good export";
    }
    const std::map<std::string, std::string> before = filesUnder(data);
    const std::vector<std::pair<std::vector<std::string>, int>> refused = {
        {{"export"}, 2},
        {{"export", "ics"}, 2},
        {{"export", "ics", ""}, 2},
        {{"export", "pdf", "x"}, 2},
        {{"export", "ics", outside, "more"}, 2},
        {{"export", "ics", data + "/daylark.alm"}, 1},
        {{"export", "ics", data + "/../data/new.ics"}, 1},
        {{"export", "markdown", data}, 1},
        {{"export", "markdown", data + "/md"}, 1},
    };
    for (const auto& [args, status] : refused) {
        SCOPED_TRACE(args.back());
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, status);
        EXPECT_NE(run.err, "");
        EXPECT_EQ(filesUnder(data), before);
    }

    // An alarm file that does not read whole leaves the last export as it was.
    const std::string alarms = data + "/daylark.alm";
    std::filesystem::resize_file(alarms, std::filesystem::file_size(alarms) - 3);
    EXPECT_EQ(cli.run({"export", "ics", outside}).status, 1);
    EXPECT_EQ(readFile(outside), "the last good export");
}

TEST(ExportCommand, PagesListsAndNotesBecomeMarkdownFiles)
{
    ScopedTimeZone zone(kEasternNow);
    CliHarness cli;
    const std::string data = cli.dir.file("data");
    std::filesystem::create_directories(data);
    filePages(data + "/1996.dlk", {{"1996-12-31", "Old year\r\n{x} filed"}}, cli.clock);
    filePages(data + "/1997.dlk",
              {{"1997-03-01", "{} open\r\n{x}done\r\n  { } blank\r\n{ok} fine\r\nplain"},
               {"1997-03-02", "line one\r\nline two\r\n\r\nafter a gap\r\r\nsoft"},
               {"1997-03-02", "a second page of that day"}},
              cli.clock);
    writeDayFile(data + "/daylark.day",
                 {2, *parseLocalDate("1997-03-03"), 0, "Caf\xE9 \xC3\xA9t\xE9\r\n{} call"});
    saveRecords<CTodoFile>(data + "/daylark.tdl", list("Books/Films", "{} Dune"),
                           list(".hidden", "x"), list("", "nameless"), list("Books_Films", "alike"),
                           list(std::string("a\0b", 3), "nul"));
    saveRecords<CFutureFile>(data + "/daylark.fut", note("1997-04-01", "Joke\r\nday"));
    const std::map<std::string, std::string> before = filesUnder(data);

    const std::string out = cli.dir.file("export");
    std::filesystem::create_directories(out + "/lists");
    {
        std::ofstream(out + "/lists/Books_Films.md") << "stale";
        std::ofstream(out + "/mine.txt") << "not ours";
    }
    const CliRun run = cli.run({"export", "markdown", out});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(filesUnder(data), before); // reads only
    const std::map<std::string, std::string> expected = {
        {"1996/12/1996-12-31.md", "Old year  \n- [x] filed"},
        {"1997/03/1997-03-01.md", "- [ ] open\n- [x] done\n  - [ ] blank\n- [x] fine\nplain"},
        {"1997/03/1997-03-02.md", "line one  \nline two\n\nafter a gap  \nsoft"},
        {"1997/03/1997-03-02 (2).md", "a second page of that day"},
        {"today.md", "Caf\xC3\xA9 \xC3\xA9t\xC3\xA9  \n- [ ] call"},
        {"lists/Books_Films.md", "- [ ] Dune"},
        {"lists/_hidden.md", "x"},
        {"lists/_.md", "nameless"},
        {"lists/Books_Films (2).md", "alike"},
        {"lists/a_b.md", "nul"},
        {"notes/1997-04-01.md", "Joke  \nday"},
        {"mine.txt", "not ours"},
    };
    EXPECT_EQ(filesUnder(out), expected);
}

} // namespace
} // namespace daylark::test
