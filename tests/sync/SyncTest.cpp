#include "alarms/AlarmSchedule.h"
#include "alarms/CAlarmFile.h"
#include "app/DaylarkApp.h"
#include "diary/MergeText.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "sync/MergeAlarmFiles.h"
#include "sync/SyncSide.h"
#include "sync/SyncTestData.h"
#include "sync/Synchronize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sys/stat.h>

namespace daylark::test {
namespace {

constexpr std::int64_t kNow = 857397900; // Monday 3 March 1997, 9:05 EST

std::string line(const char* a, const char* b)
{
    return std::string(a) + "\r\n" + b;
}

std::string describe(const CDaylarkFuture& note)
{
    return formatTime("%Y-%m-%d ", note.Date, false) + note.Text;
}

std::string describe(const CDaylarkTodo& list)
{
    return list.Name + " " + list.Contents;
}

std::string describe(const CDaylarkAlarm& a)
{
    return a.Name + "|" + std::to_string(a.Time) + "|" + std::to_string(a.Frequency) + "|" +
           std::to_string(a.MessageBoxFlag) + std::to_string(a.Announced) +
           std::to_string(a.VisibleOnCalendar);
}

/// Every record of a record file described, sorted; reading it must show no message.
template <class File> std::vector<std::string> recordsOf(const std::string& path)
{
    RecordingSink sink;
    File file(path, sink);
    file.Load();
    std::vector<std::string> records;
    for (const auto& record : file.records()) {
        records.push_back(describe(*record));
    }
    EXPECT_TRUE(sink.messages.empty()) << path;
    std::sort(records.begin(), records.end());
    return records;
}

template <class Record, class File>
void saveRecords(const std::string& path, std::vector<Record> records)
{
    RecordingSink sink;
    File file(path, sink);
    for (Record& record : records) {
        file.add(std::make_unique<Record>(std::move(record)));
    }
    file.Save();
}

CDaylarkFuture note(const std::string& day, std::string text)
{
    CDaylarkFuture made;
    made.Date = *parseLocalDate(day);
    made.Text = std::move(text);
    return made;
}

CDaylarkTodo list(std::string name, std::string contents)
{
    CDaylarkTodo made;
    made.Name = std::move(name);
    made.Contents = std::move(contents);
    return made;
}

CDaylarkAlarm alarm(std::string name, const std::string& at, Frequency every, int box = 1,
                    int announced = 0)
{
    CDaylarkAlarm made;
    made.Name = std::move(name);
    made.Time = *parseLocalDateTime(at);
    made.Frequency = static_cast<std::int16_t>(every);
    made.MessageBoxFlag = box;
    made.Announced = announced;
    return made;
}

std::vector<std::string> namesIn(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class SyncTest : public ::testing::Test
{
protected:
    SyncTest()
    {
        createDirectories(thisDir);
        createDirectories(otherDir);
    }

    std::string ours(const std::string& name) const { return thisDir + "/" + name; }
    std::string theirs(const std::string& name) const { return otherDir + "/" + name; }

    /// Starts this side's application over thisDir and synchronises with otherDir.
    int sync(bool alarms = true, bool lists = true,
             std::function<void(const std::string&)> beforeWrite = {})
    {
        app = startApp(thisDir, tmp.file("daylark.ini"), sink, clock);
        return Synchronize(sideOf(*app, std::move(beforeWrite)), otherDir + "/1997.dlk", alarms,
                           lists);
    }

    ScopedTimeZone zone{"EST5EDT,M4.1.0,M10.5.0"};
    TempDir tmp;
    FixedClock clock{kNow};
    RecordingSink sink;
    const std::string thisDir = tmp.file("this");
    const std::string otherDir = tmp.file("other");
    std::unique_ptr<DaylarkApp> app;
};

// Pages of a day present on both sides are merged into one; the rest are carried over, also
// pages of another year than the archive's. Archives on one side only are copied whole; each
// side keeps its own header; names in other cases are kept.
TEST_F(SyncTest, YearArchivesEndWithTheSamePagesMergedDayByDay)
{
    filePages(ours("1996.dlk"), {{"1996-12-30", "mine"}, {"1997-01-02", "new year"}}, clock);
    filePages(ours("1997.dlk"),
              {{"1997-03-01", line("a", "shared line")}, {"1997-03-02", "only here"}}, clock);
    clock.advance(-86400 * 400);
    filePages(theirs("1995.dlk"), {{"1995-06-01", "old"}}, clock);
    filePages(theirs("1996.dlk"), {{"1996-12-31", "theirs"}, {"1997-01-02", "new year\r\nmore"}},
              clock);
    filePages(theirs("1997.DLK"),
              {{"1997-03-01", line("shared line", "b")}, {"1997-03-03", "only there"}}, clock);
    clock.time = kNow;
    const std::string ourHeader = readFile(ours("1997.dlk")).substr(0, 8);
    const std::string theirHeader = readFile(theirs("1997.DLK")).substr(0, 8);
    const std::string before1995 = readFile(theirs("1995.dlk"));

    ASSERT_EQ(sync(), 1);
    EXPECT_EQ(sink.texts(),
              std::vector<std::string>{"File Exception, 2, syncing this daylark.day \nException: " +
                                       std::string(fileCauseText(2))});

    std::string a = line("a", "shared line");
    std::string b = line("shared line", "b");
    const std::vector<DatedText> year1997 = {{"1997-03-01", MergeText(a, b, nullptr, nullptr)},
                                             {"1997-03-02", "only here"},
                                             {"1997-03-03", "only there"}};
    EXPECT_EQ(pagesOf(ours("1997.dlk")), year1997);
    EXPECT_EQ(pagesOf(theirs("1997.DLK")), year1997);
    const std::vector<DatedText> year1996 = {
        {"1996-12-30", "mine"}, {"1996-12-31", "theirs"}, {"1997-01-02", "new year\r\nmore"}};
    EXPECT_EQ(pagesOf(ours("1996.dlk")), year1996);
    EXPECT_EQ(pagesOf(theirs("1996.dlk")), year1996);
    EXPECT_EQ(readFile(ours("1995.dlk")), before1995);
    EXPECT_EQ(readFile(ours("1997.dlk")).substr(0, 8), ourHeader);
    EXPECT_EQ(readFile(theirs("1997.DLK")).substr(0, 8), theirHeader);
    EXPECT_EQ(namesIn(otherDir),
              (std::vector<std::string>{"1995.dlk", "1996.dlk", "1997.DLK", "daylark.alm"}));
    EXPECT_EQ(namesIn(thisDir),
              (std::vector<std::string>{"1995.dlk", "1996.dlk", "1997.dlk", "daylark.alm"}));
}

TEST_F(SyncTest, NotesAndListsMergeByDayAndByExactName)
{
    saveRecords<CDaylarkFuture, CFutureFile>(
        ours("daylark.fut"), {note("1997-05-01", "buy milk"), note("1997-05-02", "mine")});
    saveRecords<CDaylarkFuture, CFutureFile>(
        theirs("DayLark.FUT"), {note("1997-05-01", "call bob"), note("1997-05-03", "theirs")});
    saveRecords<CDaylarkTodo, CTodoFile>(
        ours("daylark.tdl"), {list("Shopping", "eggs"), list("Books", line("Dune", "Emma"))});
    saveRecords<CDaylarkTodo, CTodoFile>(theirs("daylark.tdl"),
                                         {list("shopping", "flour"), list("Books", "Dune")});

    ASSERT_EQ(sync(/*alarms=*/false, /*lists=*/true), 1);
    std::string mine = "buy milk";
    std::string other = "call bob";
    const std::vector<std::string> notes = {"1997-05-01 " +
                                                MergeText(other, mine, nullptr, nullptr),
                                            "1997-05-02 mine", "1997-05-03 theirs"};
    EXPECT_EQ(recordsOf<CFutureFile>(ours("daylark.fut")), notes);
    EXPECT_EQ(recordsOf<CFutureFile>(theirs("DayLark.FUT")), notes);
    const std::vector<std::string> lists = {"Books " + line("Dune", "Emma"), "Shopping eggs",
                                            "shopping flour"};
    EXPECT_EQ(recordsOf<CTodoFile>(ours("daylark.tdl")), lists);
    EXPECT_EQ(recordsOf<CTodoFile>(theirs("daylark.tdl")), lists);
    EXPECT_FALSE(fileExists(theirs("daylark.fut")));

    // Equal files (copied with their time) are neither merged nor rewritten; lists are left
    // alone unless asked for.
    ASSERT_EQ(copyFile(ours("daylark.fut"), theirs("DayLark.FUT")), 0);
    saveRecords<CDaylarkTodo, CTodoFile>(theirs("daylark.tdl"), {list("Other", "x")});
    const ino_t notesBefore = inodeOf(ours("daylark.fut"));
    ASSERT_EQ(sync(/*alarms=*/false, /*lists=*/false), 1);
    EXPECT_EQ(inodeOf(ours("daylark.fut")), notesBefore);
    EXPECT_EQ(recordsOf<CTodoFile>(ours("daylark.tdl")), lists);
}

// An alarm that differs in any identity field is copied; imported alarms of today are announced
// and join today's alarms.
TEST_F(SyncTest, AlarmsMissingOnASideAreCopiedAndTodaysImportsAnnounced)
{
    const CDaylarkAlarm dentist = alarm("Dentist", "1997-03-03 09:05", Frequency::Once);
    saveRecords<CDaylarkAlarm, CAlarmFile>(ours("daylark.alm"), {dentist});
    saveRecords<CDaylarkAlarm, CAlarmFile>(
        theirs("DayLark.ALM"),
        {dentist, alarm("Dentist", "1997-03-03 09:05", Frequency::Once, 1, /*announced=*/1),
         alarm("Dentist", "1997-03-03 09:05", Frequency::Daily, /*box=*/0),
         alarm("Run", "1997-02-17 07:00", Frequency::Biweekly),
         alarm("Mum", "1950-03-03 00:00", Frequency::Birthday),
         alarm("Gym", "1997-03-04 18:00", Frequency::Weekly),
         alarm("Trip", "1997-03-04 09:05", Frequency::Once)});
    saveRecords<CDaylarkAlarm, CAlarmFile>(
        ours("daylark.alm"), {dentist, alarm("Call", "1997-03-10 10:00", Frequency::Once)});

    ASSERT_EQ(sync(), 1);
    EXPECT_EQ(recordsOf<CAlarmFile>(ours("daylark.alm")),
              recordsOf<CAlarmFile>(theirs("DayLark.ALM")));
    EXPECT_EQ(recordsOf<CAlarmFile>(ours("daylark.alm")).size(), 8u);
    EXPECT_FALSE(fileExists(theirs("daylark.alm")));

    std::vector<std::string> boxes;
    std::vector<std::string> notifications;
    for (const auto& message : sink.messages) {
        if (message.caption == "Imported Alarm for Today") {
            (message.isNotification ? notifications : boxes).push_back(message.text);
        }
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{"9:05 AM: Dentist\n", "Biweekly: Run\n",
                                               "Birthday: Mum\n"}));
    EXPECT_EQ(notifications, std::vector<std::string>{"Daily: Dentist\n"});
    std::vector<std::string> todays;
    for (const CAlarmEntry& entry : app->doc().alarmSchedule()->todaysAlarms()) {
        todays.push_back(entry.Name);
    }
    EXPECT_EQ(todays, (std::vector<std::string>{"Dentist", "Dentist", "Run", "Mum"}));
}

// While another operation (the calendar) holds the alarm list, the merge shares it: the held
// list gains the imports without duplicates, and the file gets them without the holder's
// unsaved edits, whether or not the holder saves later.
TEST_F(SyncTest, AMergeWhileTheAlarmListIsHeldSharesIt)
{
    const CDaylarkAlarm a = alarm("A", "1997-04-01 08:00", Frequency::Once);
    const CDaylarkAlarm b = alarm("B-theirs", "1997-04-01 08:00", Frequency::Once);
    saveRecords<CDaylarkAlarm, CAlarmFile>(ours("daylark.alm"), {a});
    saveRecords<CDaylarkAlarm, CAlarmFile>(theirs("daylark.alm"), {b});
    app = startApp(thisDir, tmp.file("daylark.ini"), sink, clock);
    CAlarmFile& held = app->frame().alarmFile();
    held.Load();
    held.add(
        std::make_unique<CDaylarkAlarm>(alarm("Unsaved", "1997-04-01 08:00", Frequency::Once)));

    MergeAlarmFiles(sideOf(*app), held, theirs("daylark.alm"));
    EXPECT_EQ(held.records().size(), 3u);
    EXPECT_EQ(held.holders(), 1);
    held.Empty();
    EXPECT_EQ(recordsOf<CAlarmFile>(ours("daylark.alm")),
              recordsOf<CAlarmFile>(theirs("daylark.alm")));
}

// Both current-day files get the merged text with the flag 1, without the lines filed with the
// last page; the older layout is rewritten as version 2. A side without a current-day file
// changes neither.
TEST_F(SyncTest, CurrentDayPagesAreMergedIntoBothFiles)
{
    filePages(ours("1997.dlk"), {{"1997-03-02", "{x} filed yesterday"}}, clock);
    filePages(theirs("1997.dlk"), {{"1997-03-01", "x"}}, clock);
    writeDayFile(ours("daylark.day"), {2, kNow, 0, line("{x} filed yesterday", "mine")});
    writeDayFile(theirs("DAYLARK.DAY"), {0, kNow - 3600, 0, "theirs"});
    ASSERT_EQ(sync(), 1);
    const std::string merged = "mine\r\r\ntheirs\r\r\n";
    EXPECT_EQ(readDayFile(ours("daylark.day")), (DayFileContent{2, kNow, 1, merged}));
    EXPECT_EQ(readDayFile(theirs("DAYLARK.DAY")), (DayFileContent{2, kNow - 3600, 1, merged}));
    EXPECT_FALSE(fileExists(theirs("daylark.day")));

    sink.clear();
    ASSERT_EQ(removeFile(theirs("DAYLARK.DAY")), 0);
    writeDayFile(ours("daylark.day"), {2, kNow, 0, "changed"});
    const std::string before = readFile(ours("daylark.day"));
    saveRecords<CDaylarkFuture, CFutureFile>(ours("daylark.fut"), {note("1997-05-01", "x")});
    ASSERT_EQ(sync(), 1);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{
                                "File Exception, 2, syncing remote daylark.day \nException: " +
                                std::string(fileCauseText(2))});
    EXPECT_EQ(readFile(ours("daylark.day")), before);
    EXPECT_FALSE(fileExists(theirs("daylark.day")));
    EXPECT_EQ(recordsOf<CFutureFile>(theirs("daylark.fut")).size(), 1u);
}

/// A synchronisation stopped at any of its writes, as a crash would stop it, leaves both sides
/// readable with every page, note, list and alarm either held; the next one completes it.
TEST_F(SyncTest, AnInterruptedSynchronisationLosesNothing)
{
    struct Crash
    {
    };
    const TempDir sets;
    const std::string ourSet = sets.file("this");
    const std::string theirSet = sets.file("other");
    for (const auto& dir : {ourSet, theirSet}) {
        createDirectories(dir);
    }
    filePages(ourSet + "/1996.dlk", {{"1996-05-01", "page-96"}}, clock);
    filePages(ourSet + "/1997.dlk", {{"1997-03-01", "page-1a"}, {"1997-03-02", "page-2"}}, clock);
    filePages(theirSet + "/1997.dlk", {{"1997-03-01", "page-1b-theirs"}, {"1997-03-02", "page-2"}},
              clock);
    writeDayFile(ourSet + "/daylark.day", {2, kNow, 0, "today-a"});
    writeDayFile(theirSet + "/daylark.day", {2, kNow, 0, "today-b-theirs"});
    saveRecords<CDaylarkFuture, CFutureFile>(ourSet + "/daylark.fut",
                                             {note("1997-05-01", "note-a")});
    saveRecords<CDaylarkFuture, CFutureFile>(theirSet + "/daylark.fut",
                                             {note("1997-05-01", "note-b-theirs")});
    saveRecords<CDaylarkTodo, CTodoFile>(ourSet + "/daylark.tdl", {list("L", "list-a")});
    saveRecords<CDaylarkTodo, CTodoFile>(theirSet + "/daylark.tdl", {list("M", "list-b-theirs")});
    saveRecords<CDaylarkAlarm, CAlarmFile>(ourSet + "/daylark.alm",
                                           {alarm("A", "1997-04-01 08:00", Frequency::Once)});
    saveRecords<CDaylarkAlarm, CAlarmFile>(
        theirSet + "/daylark.alm", {alarm("B-theirs", "1997-04-01 08:00", Frequency::Once)});

    // Everything either side holds, as one text.
    const auto everything = [this] {
        std::string all;
        for (const auto& dir : {thisDir, otherDir}) {
            for (const char* year : {"/1996.dlk", "/1997.dlk"}) {
                for (const auto& [day, text] : pagesOf(dir + year)) {
                    all += day + " " + text + "|";
                }
            }
            for (const auto& records : {recordsOf<CFutureFile>(dir + "/daylark.fut"),
                                        recordsOf<CTodoFile>(dir + "/daylark.tdl"),
                                        recordsOf<CAlarmFile>(dir + "/daylark.alm")}) {
                for (const std::string& record : records) {
                    all += record + "|";
                }
            }
            all += readDayFile(dir + "/daylark.day").text + "|";
        }
        return all;
    };
    const char* held[] = {"page-96", "page-1a", "page-1b", "page-2",    "note-a",  "note-b",
                          "list-a",  "list-b",  "A|",      "B-theirs|", "today-a", "today-b"};
    for (int stopAt = 1;; ++stopAt) {
        SCOPED_TRACE(stopAt);
        for (const auto& [from, to] : {std::pair(ourSet, thisDir), std::pair(theirSet, otherDir)}) {
            std::filesystem::remove_all(to);
            std::filesystem::copy(from, to);
        }
        int writes = 0;
        bool stopped = false;
        try {
            sync(true, true, [&](const std::string&) {
                if (++writes == stopAt) {
                    throw Crash{};
                }
            });
        } catch (const Crash&) {
            stopped = true;
        }
        const std::string afterStop = everything();
        for (const char* item : held) {
            EXPECT_NE(afterStop.find(item), std::string::npos) << item;
        }
        if (!stopped) {
            break;
        }
        ASSERT_EQ(sync(), 1);
        EXPECT_EQ(pagesOf(ours("1997.dlk")), pagesOf(theirs("1997.dlk")));
        EXPECT_EQ(readDayFile(ours("daylark.day")).text, readDayFile(theirs("daylark.day")).text);
        EXPECT_EQ(recordsOf<CAlarmFile>(ours("daylark.alm")).size(), 2u);
    }
}

} // namespace
} // namespace daylark::test
