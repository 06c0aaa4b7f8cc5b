#include "alarms/CAlarmFile.h"
#include "diary/CDaylarkDoc.h"
#include "diary/DiaryTestSupport.h"
#include "platform/DisplayFlags.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Profile.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "support/DataSetTestFiles.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <unistd.h>

namespace daylark::test {
namespace {

using Write = CDaylarkDoc::DayChangeWrite;

const std::int64_t kPageDate = 857397600; // Monday 3 March 1997, 09:00 EST
const std::string kPage = "Morning\r\n{} Call Bob\r\n{x} Buy bread\r\n\r\nEvening";
const std::string kFiledPage = "Morning\r\r\n{x} Buy bread\r\r\n\r\r\nEvening";
const std::string kListDone = "{x} Milk\r\r\n";
const std::string kDentist = "\r\r\nAlarm, Dentist, at, Monday, March 3, 9:30:00AM 1997, removed";
const std::string kVet = "\r\r\nAlarm, Vet, at, Wednesday, March 5, 10:00:00AM 1997, removed";
const std::string kShopping = "{x} Milk\r\n{} Eggs\r\nat the market";
const std::string kListsAfter = "{} Eggs\r\r\nat the market|Dune|";
const std::string kListsBefore = kShopping + "|Dune|";
const std::string kAllNotes = "/Pay rent/Call Mum/April fool/Later";

/// One run of the program over a data directory: the main window's stores and the document,
/// loaded as at start.
struct ProgramRun
{
    ProgramRun(const std::string& data, MessageSink& sink, const Clock& clock, Profile& profile)
        : locations(locate(data))
        , alarms(locations.alarmPath(), sink)
        , lists(locations.listsPath(), sink)
        , doc(sink, clock, profile)
    {
        doc.setLocations(locations);
        doc.Load();
        doc.attachStores(alarms, lists, flags);
    }

    /// The lists' contents, the notes' texts and the alarms' names, in file order.
    std::string stores()
    {
        const auto collect = [](auto& file, auto show) {
            std::string found;
            file.Load();
            for (const auto& record : file.records()) {
                found += show(*record);
            }
            file.Empty();
            return found;
        };
        return collect(lists, [](const auto& r) { return r.Contents + "|"; }) +
               collect(doc.futureFile(), [](const auto& r) { return "/" + r.Text; }) +
               collect(alarms, [](const auto& r) { return " " + r.Name; });
    }

    Locations locations;
    DisplayFlags flags;
    CAlarmFile alarms;
    CTodoFile lists;
    CDaylarkDoc doc;
};

class DayChangeTest : public ::testing::Test
{
protected:
    /// A data directory of its own, with the current-day file `day` unless it is empty.
    std::string dataDir(const std::string& day = {})
    {
        const std::string data = dir.file("data" + std::to_string(dirCount++));
        createDirectories(data);
        if (!day.empty()) {
            writeFile(data + "/daylark.day", day);
        }
        return data;
    }

    /// A data directory with the page of Monday 3 March and its lists, notes and alarms.
    std::string makeDataSet(const std::string& page = kPage)
    {
        const std::string data = dataDir(dayFileBytes(kPageDate, page));
        const Locations at = locate(data);
        saveRecords<CTodoFile>(at.listsPath(), list("Shopping", kShopping), list("Books", "Dune"));
        saveRecords<CFutureFile>(at.futurePath(), note("1997-03-04", "Pay rent"),
                                 note("1997-03-07", "Call Mum"), note("1997-04-01", "April fool"),
                                 note("1997-04-10", "Later"));
        saveRecords<CAlarmFile>(at.alarmPath(),
                                alarm("Dentist", "1997-03-03 09:30", Frequency::Once),
                                alarm("Vet", "1997-03-05 10:00", Frequency::Once),
                                alarm("Pills", "1997-01-01 08:00", Frequency::Daily),
                                alarm("Party", "1997-04-20 20:00", Frequency::Once));
        return data;
    }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    RecordingSink sink;
    FixedClock clock{makeLocalTime(1997, 3, 4, 8)};
    Profile profile{dir.file("daylark.ini"), sink};
    int dirCount = 0;
};

TEST_F(DayChangeTest, APageAndItsStoresGoThroughWholeDaysByteForByte)
{
    struct Case
    {
        const char* what;
        std::int64_t now;
        bool browsing;
        std::string page, filed, carried, stores;
    };
    const std::int64_t tuesday = makeLocalTime(1997, 3, 4, 8);
    const std::string carried = "{} Call Bob\r\r\n\r\r\nPay rent";
    const std::string tuesdayStores = kListsAfter + "/Call Mum/April fool/Later Vet Pills Party";
    const Case cases[] = {
        {"next morning", tuesday, false, kPage, kFiledPage + kListDone + kDentist, carried,
         tuesdayStores},
        {"several days later", makeLocalTime(1997, 3, 7, 8), false, kPage,
         kFiledPage + kListDone + kDentist + kVet, carried + "\r\r\nCall Mum",
         kListsAfter + "/April fool/Later Pills Party"},
        {"the same day of the next month", makeLocalTime(1997, 4, 3, 10), false, kPage,
         kFiledPage + kListDone + kDentist + kVet, carried + "\r\r\nCall Mum\r\r\nApril fool",
         kListsAfter + "/Later Pills Party"},
        {"an empty page", tuesday, false, "", kListDone + kDentist, "\r\r\nPay rent",
         tuesdayStores},
        {"while browsing a past day", tuesday, true, kPage, kFiledPage + kListDone + kDentist,
         carried, tuesdayStores},
    };
    const std::int64_t pastDay = makeLocalTime(1997, 2, 27, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string data = makeDataSet(c.page);
        clock.time = c.now;
        ProgramRun run(data, sink, clock, profile);
        if (c.browsing) {
            run.doc.keepTodayTextWhileBrowsing();
            run.doc.pageText().setText("a filed page on show");
            run.doc.setShownDate(pastDay);
        }
        run.doc.InitialDayCheck();

        EXPECT_EQ(run.doc.pageDate(), c.now);
        EXPECT_TRUE(run.doc.isModified());
        EXPECT_EQ(readFile(data + "/daylark.day"), dayFileBytes(c.now, c.carried));
        EXPECT_EQ(pagesOf(data + "/1997.dlk"), (std::vector<DatedText>{{"1997-03-03", c.filed}}));
        EXPECT_EQ(run.stores(), c.stores);
        // Browsing, the new page waits in the saved today text and the user stays where he is.
        EXPECT_EQ(run.doc.pageText().text(), c.browsing ? "a filed page on show" : c.carried);
        EXPECT_EQ(run.doc.savedTodayText(), c.browsing ? std::optional(c.carried) : std::nullopt);
        EXPECT_EQ(run.doc.shownDate(), c.browsing ? pastDay : c.now);
        ASSERT_EQ(sink.texts(), std::vector<std::string>{"Daily: Pills\n"});
        EXPECT_EQ(sink.messages[0].caption, "Today's Alarms");
        sink.clear();
    }
}

TEST_F(DayChangeTest, TheDayIsOverTwoHoursOnOnAnotherDate)
{
    const std::int64_t lateMonday = makeLocalTime(1997, 3, 3, 23, 30);
    const std::tuple<const char*, std::int64_t, std::int64_t, bool> cases[] = {
        // what, page date, now, whether the day is over
        {"one hour past midnight", lateMonday, lateMonday + 3600, false},
        {"two hours past midnight", lateMonday, lateMonday + 7200, true},
        {"late the same day", makeLocalTime(1997, 3, 3, 0, 5), lateMonday, false},
        {"a month later, same day of month", kPageDate, makeLocalTime(1997, 4, 3, 9), true},
        {"the clock went back", makeLocalTime(1997, 3, 5, 9), kPageDate, false},
    };
    for (const auto& [what, page, now, changes] : cases) {
        SCOPED_TRACE(what);
        clock.time = now;
        ProgramRun run(dataDir(dayFileBytes(page, "text")), sink, clock, profile);
        EXPECT_EQ(run.doc.CheckDay(), changes);
        EXPECT_EQ(run.doc.pageDate(), changes ? now : page);
        run.doc.setPageDate(page);
        EXPECT_EQ(run.doc.HasDayOrLater(), changes);
    }
    EXPECT_TRUE(sink.texts().empty());
}

// The program dies right before each write of a change of day; the next start loses nothing
// and files the page once. What was not saved yet comes back once more at the next change.
TEST_F(DayChangeTest, ACrashAtEachStepLosesNothing)
{
    enum class Crash {};
    const std::pair<std::optional<Write>, std::string> cases[] = {
        {Write::Archive, kListsAfter + "/Call Mum/April fool/Later"},
        {Write::DayFile, kListsAfter + "/Call Mum/April fool/Later"},
        {Write::Lists, kListsBefore + kAllNotes},
        {Write::Alarms, kListsAfter + kAllNotes},
        {Write::FutureNotes, kListsAfter + kAllNotes},
        {std::nullopt, kListsAfter + "/Call Mum/April fool/Later"},
    };
    for (const auto& [crashAt, stores] : cases) {
        SCOPED_TRACE(crashAt ? int(*crashAt) : -1);
        const std::string data = makeDataSet();
        {
            ProgramRun run(data, sink, clock, profile);
            run.doc.setBeforeWrite([crashAt = crashAt](Write write) {
                if (write == crashAt) {
                    throw Crash();
                }
            });
            if (crashAt) {
                EXPECT_THROW(run.doc.InitialDayCheck(), Crash);
            } else {
                run.doc.InitialDayCheck();
            }
        }
        ProgramRun restart(data, sink, clock, profile);
        restart.doc.InitialDayCheck();

        EXPECT_EQ(readFile(data + "/daylark.day"),
                  dayFileBytes(clock.time, "{} Call Bob\r\r\n\r\r\nPay rent"));
        EXPECT_EQ(pagesOf(data + "/1997.dlk"),
                  (std::vector<DatedText>{{"1997-03-03", kFiledPage + kListDone + kDentist}}));
        EXPECT_EQ(restart.stores(), stores + " Vet Pills Party");
        for (const auto& message : sink.messages) {
            EXPECT_EQ(message.caption, "Today's Alarms");
        }
        sink.clear();
    }
}

// The archive cannot be written: the page keeps its text, with the removed alarm's line.
TEST_F(DayChangeTest, WhenThePageIsNotFiledTheStoresStayAsTheyWere)
{
    const std::string data = makeDataSet();
    ASSERT_EQ(::symlink("missing/1997.dlk", (data + "/1997.dlk").c_str()), 0);
    ProgramRun run(data, sink, clock, profile);
    run.doc.InitialDayCheck();
    EXPECT_EQ(run.doc.pageDate(), clock.time);
    EXPECT_EQ(run.doc.pageText().text(), kPage + kDentist);
    EXPECT_EQ(run.stores(), kListsBefore + kAllNotes + " Vet Pills Party");
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_TRUE(sink.messages[0].text.starts_with("File Exception, 2, Creating Daylark archive."));
}

TEST_F(DayChangeTest, SaveModifiedTakesUpADayFileChangedOnDisk)
{
    const std::pair<std::string, std::string> cases[] = {
        // flag 0 is merged line by line; flag 1 is taken as it stands; the old layout is merged
        {dayFileBytes(kPageDate - 86400, "zero\r\nthree", 0),
         "zero\r\r\nthree\r\r\none\r\r\ntwo\r\r\n"},
        {dayFileBytes(kPageDate, "three", 1), "three"},
        {dword(kPageDate) + text("three"), "one\r\r\ntwo\r\r\nthree\r\r\n"},
    };
    clock.time = kPageDate + 3600;
    for (const auto& [onDisk, saved] : cases) {
        SCOPED_TRACE(saved);
        const std::string data = dataDir(dayFileBytes(kPageDate, "one"));
        ProgramRun run(data, sink, clock, profile);
        EXPECT_FALSE(run.doc.CheckDayFile(/*merge=*/false));
        run.doc.pageText().setText("one\r\ntwo");
        writeFile(data + "/daylark.day", onDisk);
        EXPECT_TRUE(run.doc.CheckDayFile(/*merge=*/false));
        EXPECT_TRUE(run.doc.SaveModified());
        EXPECT_EQ(readFile(data + "/daylark.day"), dayFileBytes(kPageDate, saved));
        EXPECT_FALSE(run.doc.CheckDayFile(/*merge=*/true));
    }

    // A changed file that does not read is kept aside before the page is saved over it.
    const std::string data = dataDir();
    ProgramRun run(data, sink, clock, profile);
    run.doc.pageText().setText("mine");
    const std::string cut = dayFileBytes(kPageDate, "theirs").substr(0, 14);
    writeFile(data + "/daylark.day", cut);
    EXPECT_TRUE(run.doc.SaveModified());
    EXPECT_EQ(readFile(data + "/daylark.day"), dayFileBytes(kPageDate + 3600, "mine"));
    EXPECT_EQ(readFile(data + "/daylark.day.damaged.000"), cut);
    ASSERT_EQ(sink.texts().size(), 1u);
    EXPECT_TRUE(
        sink.texts()[0].starts_with("Archive Exception, 3, reading a different daylark.day file"));
}

} // namespace
} // namespace daylark::test
