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
const std::string kFiledPage = "Morning\r\r\n{x} Buy bread\r\r\n\r\r\nEvening\r\r\n";
const std::string kListDone = "{x} Milk\r\r\n";
const std::string kDentist = "\r\r\nAlarm, Dentist, at, Monday, March 3, 9:30:00AM 1997, removed";
const std::string kVet = "\r\r\nAlarm, Vet, at, Wednesday, March 5, 10:00:00AM 1997, removed";
const std::string kShopping = "{x} Milk\r\n{} Eggs\r\nat the market";
const std::string kListsAfter = "{} Eggs\r\r\nat the market|Dune|";
const std::string kListsBefore = kShopping + "|Dune|";
const std::string kAllNotes = "/Pay rent/Call Mum/April fool/Later";
const std::string kDentistMissed = "Missed, Monday, March 3, 9:30:00AM 1997: Dentist\n";
const std::string kVetMissed = "Missed, Wednesday, March 5, 10:00:00AM 1997: Vet\n";

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
        std::string page, filed, carried, stores, missed;
    };
    const std::int64_t tuesday = makeLocalTime(1997, 3, 4, 8);
    const std::string carried = "{} Call Bob\r\r\n\r\r\nPay rent";
    const std::string tuesdayStores = kListsAfter + "/Call Mum/April fool/Later Vet Pills Party";
    const Case cases[] = {
        {"next morning", tuesday, false, kPage, kFiledPage + kListDone + kDentist, carried,
         tuesdayStores, kDentistMissed},
        {"several days later", makeLocalTime(1997, 3, 7, 8), false, kPage,
         kFiledPage + kListDone + kDentist + kVet, carried + "\r\r\nCall Mum",
         kListsAfter + "/April fool/Later Pills Party", kDentistMissed + kVetMissed},
        {"the same day of the next month", makeLocalTime(1997, 4, 3, 10), false, kPage,
         kFiledPage + kListDone + kDentist + kVet, carried + "\r\r\nCall Mum\r\r\nApril fool",
         kListsAfter + "/Later Pills Party", kDentistMissed + kVetMissed},
        {"an empty page", tuesday, false, "", kListDone + kDentist, "\r\r\nPay rent", tuesdayStores,
         kDentistMissed},
        {"while browsing a past day", tuesday, true, kPage, kFiledPage + kListDone + kDentist,
         carried, tuesdayStores, kDentistMissed},
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
        // The once alarms whose time came while the program was not running are named.
        ASSERT_EQ(sink.texts(), std::vector<std::string>{c.missed + "Daily: Pills\n"});
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
// and files the page once.
TEST_F(DayChangeTest, ACrashAtEachStepLosesNothing)
{
    enum class Crash {};
    // However late the crash, the restart leaves the stores as the whole change does: no done
    // line stays in its list and no carried note in the notes, to come a second time.
    const std::string stores = kListsAfter + "/Call Mum/April fool/Later";
    const std::optional<Write> cases[] = {Write::Archive, Write::DayFile,     Write::Lists,
                                          Write::Alarms,  Write::FutureNotes, std::nullopt};
    for (const std::optional<Write>& crashAt : cases) {
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
        // The alarm that leaves the file only now was reported on the filed page already.
        EXPECT_EQ(restart.doc.pageText().text(), "{} Call Bob\r\r\n\r\r\nPay rent");
        EXPECT_EQ(pagesOf(data + "/1997.dlk"),
                  (std::vector<DatedText>{{"1997-03-03", kFiledPage + kListDone + kDentist}}));
        EXPECT_EQ(restart.stores(), stores + " Vet Pills Party");
        for (const auto& message : sink.messages) {
            EXPECT_EQ(message.caption, "Today's Alarms");
        }
        sink.clear();
    }
}

// The archive cannot be written: the page keeps its day and its text (with the removed alarm's
// line), the stores stay as they were, and the next tick and the next start try again.
TEST_F(DayChangeTest, APageThatCannotBeFiledKeepsItsDayUntilItIsFiled)
{
    const std::pair<const char*, const char*> cases[] = {
        {"missing/1997.dlk", "File Exception, 2, Creating Daylark archive."},
        {"/dev/full", "File Exception, 13, archiving page"}, // a full disk
    };
    const std::string kept = kPage + kDentist;
    for (const auto& [target, failure] : cases) {
        SCOPED_TRACE(target);
        const std::string data = makeDataSet();
        const std::string archive = data + "/1997.dlk";
        ASSERT_EQ(::symlink(target, archive.c_str()), 0);
        {
            ProgramRun run(data, sink, clock, profile);
            run.doc.InitialDayCheck();
            EXPECT_EQ(run.doc.pageDate(), kPageDate);
            EXPECT_EQ(run.doc.pageText().text(), kept);
            EXPECT_EQ(run.stores(), kListsBefore + kAllNotes + " Vet Pills Party");
            ASSERT_EQ(sink.messages.size(), 2u);
            const std::string& message = sink.messages[0].text;
            EXPECT_TRUE(message.starts_with("The page of Monday, March 3, 1997 could not be filed"))
                << message;
            EXPECT_NE(message.find(failure), std::string::npos) << message;
            EXPECT_EQ(sink.messages[1].text, kDentistMissed + "Daily: Pills\n");

            // Each tick tries again: the same failure is no new box, nothing comes twice, and an
            // alarm announced once stays announced.
            for (int tick = 0; tick < 2; ++tick) {
                clock.advance(15);
                EXPECT_FALSE(run.doc.CheckDay());
                EXPECT_TRUE(sink.messages.back().isNotification);
                EXPECT_TRUE(run.doc.SaveModified());
            }
            ASSERT_EQ(sink.texts().size(), 5u);
            EXPECT_EQ(sink.texts()[3], "8:00 AM: Pills\n");
            EXPECT_EQ(run.doc.pageText().text(), kept);
            EXPECT_EQ(readFile(data + "/daylark.day"), dayFileBytes(kPageDate, kept));
        }
        ASSERT_EQ(::unlink(archive.c_str()), 0);
        sink.clear();
        ProgramRun restart(data, sink, clock, profile);
        restart.doc.InitialDayCheck();
        EXPECT_EQ(restart.doc.pageDate(), clock.time);
        const std::string filed = kFiledPage + kDentist.substr(3) + "\r\r\n" + kListDone;
        EXPECT_EQ(pagesOf(archive), (std::vector<DatedText>{{"1997-03-03", filed}}));
        EXPECT_EQ(restart.stores(), kListsAfter + "/Call Mum/April fool/Later Vet Pills Party");
        EXPECT_EQ(sink.texts(), std::vector<std::string>{"Daily: Pills\n"});
        sink.clear();
    }
}

TEST_F(DayChangeTest, LinesJoinedAtTheChangeOfDayStaySeparateLines)
{
    const std::string data = dataDir(dayFileBytes(kPageDate, "{} call Bob\r\nlast line"));
    const Locations at = locate(data);
    saveRecords<CTodoFile>(at.listsPath(), list("Shop", "{x} milk bought"),
                           list("Post", "{x} card"), list("Chores", "Header\r\n{} one\r\n{} two"));
    saveRecords<CFutureFile>(at.futurePath(), note("1997-03-04", "Pay rent"),
                             note("1997-03-05", "Call Mum"));
    const std::string chores = "{} one\r\r\n{} two\r\r\nHeader\r\r\n|";
    {
        ProgramRun run(data, sink, clock, profile);
        run.doc.InitialDayCheck();
        EXPECT_EQ(pagesOf(data + "/1997.dlk"),
                  (std::vector<DatedText>{
                      {"1997-03-03", "last line\r\r\n{x} milk bought\r\r\n{x} card"}}));
        EXPECT_EQ(run.doc.pageText().text(), "{} call Bob\r\r\n\r\r\nPay rent");
        EXPECT_EQ(run.stores(), "||" + chores + "/Call Mum");
    }
    // The list keeps its order, its open tasks first, day after day.
    clock.advance(86400);
    ProgramRun nextDay(data, sink, clock, profile);
    nextDay.doc.InitialDayCheck();
    EXPECT_EQ(nextDay.stores(), "||" + chores);
    EXPECT_TRUE(sink.texts().empty());
}

// The clock was a year ahead when the page was started: the start says so and asks; only Yes
// moves the page to today.
TEST_F(DayChangeTest, APageDatedLaterThanNowIsOfferedToMoveToToday)
{
    const std::int64_t yearAhead = makeLocalTime(1998, 3, 4, 9);
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        SCOPED_TRACE(int(answer));
        const std::string data = dataDir(dayFileBytes(yearAhead, "text"));
        ProgramRun run(data, sink, clock, profile);
        sink.answers.push_back(answer);
        run.doc.InitialDayCheck();
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].buttons, MessageButtons::YesNo);
        EXPECT_NE(sink.messages[0].text.find("Wednesday, March 4, 1998"), std::string::npos);
        const std::int64_t date = answer == MessageAnswer::Yes ? clock.time : yearAhead;
        EXPECT_EQ(run.doc.pageDate(), date);
        EXPECT_EQ(readFile(data + "/daylark.day"), dayFileBytes(date, "text"));
        EXPECT_EQ(run.doc.pageText().text(), "text");
        sink.clear();
    }
    // A page of earlier today is no question.
    ProgramRun run(dataDir(dayFileBytes(clock.time - 3600, "text")), sink, clock, profile);
    run.doc.InitialDayCheck();
    EXPECT_TRUE(sink.messages.empty());
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
