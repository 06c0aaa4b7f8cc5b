#include "alarms/CDaylarkAlarm.h"
#include "cli/CliTestSupport.h"
#include "diary/CDaylarkPage.h"
#include "format/CRecordArchive.h"
#include "platform/File.h"
#include "records/CDaylarkFuture.h"
#include "records/CDaylarkTodo.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <functional>

namespace daylark::test {
namespace {

void writeWith(const std::string& path, const std::function<void(CRecordArchive&)>& write)
{
    File file(path, File::Mode::Create);
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    write(ar);
    ar.Close();
}

/// An archive laid out as filing writes it: header, the first entry's offset, then entries that
/// each begin with their end and finish with their start.
std::string archiveWithPages(const std::vector<std::string>& texts)
{
    TempDir scratch;
    const std::string path = scratch.file("1997.dlk");
    {
        File file(path, File::Mode::Create);
        CRecordArchive header(file, CRecordArchive::Mode::Storing);
        header.writeTime(857000000);
        header.writeDword(0);
        header.writeDword(101);
        header.writeDword(16);
        header.Close();
        std::int64_t date = 857347200;
        for (const std::string& text : texts) {
            const std::int64_t start = file.position();
            CRecordArchive ar(file, CRecordArchive::Mode::Storing);
            CDaylarkPage page;
            page.Date = date;
            page.Text = text;
            ar.writeDword(static_cast<std::uint32_t>(start));
            ar.WriteObject(&page);
            ar.writeDword(static_cast<std::uint32_t>(start));
            ar.Close();
            const std::int64_t end = file.position();
            file.seek(start, SeekFrom::Begin);
            const std::uint32_t e = static_cast<std::uint32_t>(end);
            file.write(&e, 4);
            file.seek(end, SeekFrom::Begin);
            date += 86400;
        }
    }
    return readFile(path);
}

TEST(Dump, DecodesEveryKindOfDataFile)
{
    ScopedTimeZone zone("UTC");
    CliHarness cli;
    writeWith(cli.dir.file("daylark.day"), [](CRecordArchive& ar) {
        ar.writeDword(2);
        ar.writeTime(857347200);
        ar.writeDword(0);
        ar.writeString("{} tea\r\ncaf\xE9");
    });
    writeWith(cli.dir.file("old.day"), [](CRecordArchive& ar) {
        ar.writeTime(857347200);
        ar.writeString("x");
    });
    writeWith(cli.dir.file("DayLark.ALM"), [](CRecordArchive& ar) {
        CDaylarkAlarm alarm;
        alarm.Name = "Tea";
        ar.writeDword(100);
        ar.writeWord(1);
        ar.WriteObject(&alarm);
    });
    writeWith(cli.dir.file("notes"), [](CRecordArchive& ar) {
        CDaylarkFuture a;
        a.Text = "A";
        CDaylarkFuture b;
        b.Text = "B";
        ar.writeDword(100);
        ar.writeWord(2);
        ar.WriteObject(&a);
        ar.WriteObject(&b);
    });
    writeFile(cli.dir.file("1997.dlk"), archiveWithPages({"first", "second"}));

    struct Case
    {
        std::vector<std::string> args;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
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
          "entry: 2", "text: second", "date: 857433600 (1997-03-04 00:00:00)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const CliRun run = cli.run(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        for (const std::string& line : c.lines) {
            EXPECT_NE(run.out.find(line + "\n"), std::string::npos) << line << "\n" << run.out;
        }
    }
}

TEST(Dump, CorruptFilesPrintWhatWasReadThenTheFailure)
{
    CliHarness cli;
    const std::string archive = archiveWithPages({"first", "second"});
    // The alarm file announces two records and holds one.
    writeWith(cli.dir.file("short.alm"), [](CRecordArchive& ar) {
        CDaylarkAlarm alarm;
        alarm.Name = "Only";
        ar.writeDword(100);
        ar.writeWord(2);
        ar.WriteObject(&alarm);
    });
    writeFile(cli.dir.file("daylark.tdl"),
              std::string("\x64\0\0\0\1\0\xFF\xFF\x01\0\x0C\0CDaylarkNote", 24));
    std::string broken = archive;
    broken[16] = 20; // the first entry claims to end inside itself
    writeFile(cli.dir.file("1998.dlk"), broken);

    struct Case
    {
        std::string file;
        std::string printed;
        std::string message;
    };
    const std::vector<Case> cases = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const CliRun run = cli.run({"dump", cli.dir.file(c.file)});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(c.printed), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "[Daylark]\n" + c.message);
    }
}

TEST(Dump, ATornAppendIsReportedAtEveryCut)
{
    CliHarness cli;
    const std::string one = archiveWithPages({"first"});
    const std::string two = archiveWithPages({"first", "second"});
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
