#include "alarms/AlarmSchedule.h"
#include "diary/MergeText.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "sync/MergeAlarmFiles.h"
#include "sync/MergeRecordFiles.h"
#include "sync/SyncTestData.h"
#include "sync/Synchronize.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

using Lines = std::vector<std::string>;

std::string merged(std::string a, std::string b)
{
    return MergeText(a, b, nullptr, nullptr);
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

    ScopedTimeZone zone{kEastern};
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
    filePages(ours("1997.dlk"), {{"1997-03-01", "a\r\nshared line"}, {"1997-03-02", "only here"}},
              clock);
    clock.advance(-86400 * 400);
    filePages(theirs("1995.dlk"), {{"1995-06-01", "old"}}, clock);
    filePages(theirs("1996.dlk"), {{"1996-12-31", "theirs"}, {"1997-01-02", "new year\r\nmore"}},
              clock);
    filePages(theirs("1997.DLK"),
              {{"1997-03-01", "shared line\r\nb"}, {"1997-03-03", "only there"}}, clock);
    clock.time = kNow;
    const std::string ourHeader = readFile(ours("1997.dlk")).substr(0, 8);
    const std::string theirHeader = readFile(theirs("1997.DLK")).substr(0, 8);
    const std::string before1995 = readFile(theirs("1995.dlk"));

    ASSERT_EQ(sync(), 1);
    EXPECT_EQ(sink.texts(), Lines{"File Exception, 2, syncing this daylark.day \nException: " +
                                  std::string(fileCauseText(2))});
    const std::vector<DatedText> year1997 = {
        {"1997-03-01", merged("a\r\nshared line", "shared line\r\nb")},
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
              (Lines{".daylark-folder", "1995.dlk", "1996.dlk", "1997.DLK", "daylark.alm"}));
    EXPECT_EQ(namesIn(thisDir),
              (Lines{".sync-state", "1995.dlk", "1996.dlk", "1997.dlk", "daylark.alm"}));
}

TEST_F(SyncTest, NotesAndListsMergeByDayAndByExactName)
{
    saveRecords<CFutureFile>(ours("daylark.fut"), note("1997-05-01", "buy milk"),
                             note("1997-05-02", "mine"));
    saveRecords<CFutureFile>(theirs("DayLark.FUT"), note("1997-05-01", "call bob"),
                             note("1997-05-03", "theirs"));
    saveRecords<CTodoFile>(ours("daylark.tdl"), list("Shopping", "eggs"),
                           list("Books", "Dune\r\nEmma"));
    saveRecords<CTodoFile>(theirs("daylark.tdl"), list("shopping", "flour"), list("Books", "Dune"));

    ASSERT_EQ(sync(/*alarms=*/false, /*lists=*/true), 1);
    const Lines notes = {"1997-05-01 " + merged("call bob", "buy milk"), "1997-05-02 mine",
                         "1997-05-03 theirs"};
    EXPECT_EQ(recordsOf<CFutureFile>(ours("daylark.fut")), notes);
    EXPECT_EQ(recordsOf<CFutureFile>(theirs("DayLark.FUT")), notes);
    const Lines lists = {"Books Dune\r\nEmma", "Shopping eggs", "shopping flour"};
    EXPECT_EQ(recordsOf<CTodoFile>(ours("daylark.tdl")), lists);
    EXPECT_EQ(recordsOf<CTodoFile>(theirs("daylark.tdl")), lists);
    EXPECT_FALSE(fileExists(theirs("daylark.fut")));

    // Equal files (copied with their time) are neither merged nor rewritten; lists are left
    // alone unless asked for.
    ASSERT_EQ(copyFile(ours("daylark.fut"), theirs("DayLark.FUT")), 0);
    saveRecords<CTodoFile>(theirs("daylark.tdl"), list("Other", "x"));
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
    saveRecords<CAlarmFile>(ours("daylark.alm"), dentist,
                            alarm("Call", "1997-03-10 10:00", Frequency::Once));
    saveRecords<CAlarmFile>(theirs("DayLark.ALM"), dentist,
                            alarm("Dentist", "1997-03-03 09:05", Frequency::Once, 1, 1),
                            alarm("Dentist", "1997-03-03 09:05", Frequency::Daily, /*box=*/0),
                            alarm("Run", "1997-02-17 07:00", Frequency::Biweekly),
                            alarm("Mum", "1950-03-03 00:00", Frequency::Birthday),
                            alarm("Gym", "1997-03-04 18:00", Frequency::Weekly),
                            alarm("Trip", "1997-03-04 09:05", Frequency::Once));

    ASSERT_EQ(sync(), 1);
    EXPECT_EQ(recordsOf<CAlarmFile>(ours("daylark.alm")),
              recordsOf<CAlarmFile>(theirs("DayLark.ALM")));
    EXPECT_EQ(recordsOf<CAlarmFile>(ours("daylark.alm")).size(), 8u);
    EXPECT_FALSE(fileExists(theirs("daylark.alm")));

    Lines boxes;
    Lines notifications;
    for (const auto& message : sink.messages) {
        if (message.caption == "Imported Alarm for Today") {
            (message.isNotification ? notifications : boxes).push_back(message.text);
        }
    }
    EXPECT_EQ(boxes, (Lines{"9:05 AM: Dentist\n", "Biweekly: Run\n", "Birthday: Mum\n"}));
    EXPECT_EQ(notifications, Lines{"Daily: Dentist\n"});
    Lines todays;
    for (const CAlarmEntry& entry : app->doc().alarmSchedule()->todaysAlarms()) {
        todays.push_back(entry.Name);
    }
    EXPECT_EQ(todays, (Lines{"Dentist", "Dentist", "Run", "Mum"}));
}

// While another operation (the calendar) holds the alarm list, the merge shares it: the held
// list gains the imports without duplicates, and the file gets them without the holder's
// unsaved edits.
TEST_F(SyncTest, AMergeWhileTheAlarmListIsHeldSharesIt)
{
    saveRecords<CAlarmFile>(ours("daylark.alm"), alarm("A", "1997-04-01 08:00", Frequency::Once));
    saveRecords<CAlarmFile>(theirs("daylark.alm"),
                            alarm("B-theirs", "1997-04-01 08:00", Frequency::Once));
    app = startApp(thisDir, tmp.file("daylark.ini"), sink, clock);
    CAlarmFile& held = app->frame().alarmFile();
    held.Load();
    held.add(std::make_unique<CDaylarkAlarm>(alarm("New", "1997-04-01 08:00", Frequency::Once)));

    MergeAlarmFiles(sideOf(*app), held, theirs("daylark.alm"), {});
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
    writeDayFile(ours("daylark.day"), {2, kNow, 0, "{x} filed yesterday\r\nmine"});
    writeDayFile(theirs("DAYLARK.DAY"), {0, kNow - 3600, 0, "theirs"});
    ASSERT_EQ(sync(), 1);
    const std::string text = "mine\r\r\ntheirs\r\r\n";
    EXPECT_EQ(readDayFile(ours("daylark.day")), (DayFileContent{2, kNow, 1, text}));
    EXPECT_EQ(readDayFile(theirs("DAYLARK.DAY")), (DayFileContent{2, kNow - 3600, 1, text}));
    EXPECT_FALSE(fileExists(theirs("daylark.day")));

    sink.clear();
    ASSERT_EQ(removeFile(theirs("DAYLARK.DAY")), 0);
    writeDayFile(ours("daylark.day"), {2, kNow, 0, "changed"});
    const std::string before = readFile(ours("daylark.day"));
    saveRecords<CFutureFile>(ours("daylark.fut"), note("1997-05-01", "x"));
    ASSERT_EQ(sync(), 1);
    EXPECT_EQ(sink.texts(), Lines{"File Exception, 2, syncing remote daylark.day \nException: " +
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
    // Their texts are longer: files of the same size and time would count as equal.
    for (const auto& [dir, tag] : {std::pair(ourSet, "a"), std::pair(theirSet, "b-theirs")}) {
        const std::string t = tag;
        createDirectories(dir);
        filePages(dir + "/1997.dlk", {{"1997-03-01", "page-1" + t}, {"1997-03-02", "page-2"}},
                  clock);
        writeDayFile(dir + "/daylark.day", {2, kNow, 0, "today-" + t});
        saveRecords<CFutureFile>(dir + "/daylark.fut", note("1997-05-01", "note-" + t));
        saveRecords<CTodoFile>(dir + "/daylark.tdl", list("L" + t, "list-" + t));
        saveRecords<CAlarmFile>(dir + "/daylark.alm",
                                alarm("alarm-" + t, "1997-04-01 08:00", Frequency::Once));
    }
    filePages(ourSet + "/1996.dlk", {{"1996-05-01", "page-96"}}, clock);

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
    const char* held[] = {"page-96", "page-1a", "page-1b", "page-2",  "note-a",  "note-b",
                          "list-a",  "list-b",  "alarm-a", "alarm-b", "today-a", "today-b"};
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
