#include "alarms/AlarmSchedule.h"
#include "alarms/CAlarmFile.h"
#include "diary/CDaylarkDoc.h"
#include "platform/DisplayFlags.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/Profile.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
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

std::string dword(std::int64_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string dayFile(std::int64_t date, const std::string& text, std::uint32_t flag = 0)
{
    return dword(2) + dword(date) + dword(flag) + char(text.size()) + text;
}

/// One run of the program over a data directory: the main window's stores and the document,
/// loaded as at start.
struct ProgramRun
{
    ProgramRun(const std::string& data, MessageSink& sink, const Clock& clock, Profile& profile)
        : locations(Locations::resolve({data, {}, {}}, [](const char*) { return nullptr; }))
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
        std::string found;
        lists.Load();
        for (const auto& list : lists.records()) {
            found += list->Contents + "|";
        }
        lists.Empty();
        doc.futureFile().Load();
        for (const auto& note : doc.futureFile().records()) {
            found += "/" + note->Text;
        }
        doc.futureFile().Empty();
        alarms.Load();
        for (const auto& alarm : alarms.records()) {
            found += " " + alarm->Name;
        }
        alarms.Empty();
        return found;
    }

    /// Every page of the page date's year archive as "date|text".
    std::vector<std::string> filedPages()
    {
        std::vector<std::string> pages;
        doc.pageArchive().LoadAllPages();
        for (const auto& page : doc.pageArchive().pages()) {
            pages.push_back(std::to_string(page->Date) + "|" + page->Text);
        }
        return pages;
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
    /// A data directory of its own with the page of Monday 3 March and its stores: two lists,
    /// notes for 4 March, 7 March, 1 April and 10 April, alarms Dentist (once, 3 March), Vet
    /// (once, 5 March), Pills (daily) and Party (once, 20 April).
    std::string makeDataSet(const std::string& name, const std::string& page = kPage)
    {
        const std::string data = dir.file(name);
        createDirectories(data);
        writeFile(data + "/daylark.day", dayFile(kPageDate, page));
        ProgramRun run(data, sink, clock, profile);
        run.lists.Load();
        for (const auto& [listName, contents] :
             {std::pair{"Shopping", kShopping}, {"Books", "Dune"}}) {
            auto list = std::make_unique<CDaylarkTodo>();
            list->Name = listName;
            list->Contents = contents;
            run.lists.add(std::move(list));
        }
        run.lists.Save();
        run.lists.Empty();
        CFutureFile& notes = run.doc.futureFile();
        notes.Load();
        for (const auto& [text, month, day] : {std::tuple{"Pay rent", 3, 4},
                                               {"Call Mum", 3, 7},
                                               {"April fool", 4, 1},
                                               {"Later", 4, 10}}) {
            notes.AddNote(text, makeLocalTime(1997, month, day));
        }
        notes.Save();
        notes.Empty();
        run.alarms.Load();
        for (const auto& [name, time, frequency] :
             {std::tuple{"Dentist", makeLocalTime(1997, 3, 3, 9, 30), Frequency::Once},
              {"Vet", makeLocalTime(1997, 3, 5, 10), Frequency::Once},
              {"Pills", makeLocalTime(1997, 1, 1, 8), Frequency::Daily},
              {"Party", makeLocalTime(1997, 4, 20, 20), Frequency::Once}}) {
            auto alarm = std::make_unique<CDaylarkAlarm>();
            alarm->Name = name;
            alarm->Time = time;
            alarm->Frequency = static_cast<std::int16_t>(frequency);
            run.alarms.add(std::move(alarm));
        }
        run.alarms.Save();
        run.alarms.Empty();
        EXPECT_TRUE(sink.messages.empty());
        return data;
    }

    ScopedTimeZone zone{"EST5EDT,M4.1.0,M10.5.0"};
    TempDir dir;
    RecordingSink sink;
    FixedClock clock{makeLocalTime(1997, 3, 4, 8)};
    Profile profile{dir.file("daylark.ini"), sink};
};

TEST_F(DayChangeTest, APageAndItsStoresGoThroughWholeDaysByteForByte)
{
    struct Case
    {
        const char* what;
        std::int64_t now;
        std::string page;
        bool browsing;
        std::string filed, carried, stores;
    };
    const std::int64_t tuesday = makeLocalTime(1997, 3, 4, 8);
    const std::int64_t april3 = makeLocalTime(1997, 4, 3, 10);
    const std::string carried = "{} Call Bob\r\r\n\r\r\nPay rent";
    const std::string tuesdayStores = kListsAfter + "/Call Mum/April fool/Later Vet Pills Party";
    const Case cases[] = {
        {"next morning", tuesday, kPage, false, kFiledPage + kListDone + kDentist, carried,
         tuesdayStores},
        {"several days later", makeLocalTime(1997, 3, 7, 8), kPage, false,
         kFiledPage + kListDone + kDentist + kVet, carried + "\r\r\nCall Mum",
         kListsAfter + "/April fool/Later Pills Party"},
        {"the same day of the next month", april3, kPage, false,
         kFiledPage + kListDone + kDentist + kVet, carried + "\r\r\nCall Mum\r\r\nApril fool",
         kListsAfter + "/Later Pills Party"},
        {"an empty page", tuesday, "", false, kListDone + kDentist, "\r\r\nPay rent",
         tuesdayStores},
        {"while browsing a past day", tuesday, kPage, true, kFiledPage + kListDone + kDentist,
         carried, tuesdayStores},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string data = makeDataSet("case" + std::to_string(n++), c.page);
        clock.time = c.now;
        ProgramRun run(data, sink, clock, profile);
        const std::int64_t pastDay = makeLocalTime(1997, 2, 27, 9);
        if (c.browsing) {
            run.doc.savedTodayText() = run.doc.pageText().text();
            run.doc.pageText().setText("a filed page on show");
            run.doc.setShownDate(pastDay);
        }
        run.doc.InitialDayCheck();

        EXPECT_EQ(run.doc.pageDate(), c.now);
        EXPECT_TRUE(run.doc.isModified());
        EXPECT_EQ(readFile(data + "/daylark.day"), dayFile(c.now, c.carried));
        EXPECT_EQ(run.filedPages(), std::vector{std::to_string(kPageDate) + "|" + c.filed});
        EXPECT_EQ(run.stores(), c.stores);
        // Browsing, the new page waits in the saved today text and the user stays where he is.
        EXPECT_EQ(run.doc.pageText().text(), c.browsing ? "a filed page on show" : c.carried);
        EXPECT_EQ(run.doc.savedTodayText(), c.browsing ? std::optional(c.carried) : std::nullopt);
        EXPECT_EQ(run.doc.shownDate(), c.browsing ? pastDay : c.now);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].caption, "Today's Alarms");
        EXPECT_EQ(sink.messages[0].text, "Daily: Pills\n");
        sink.clear();
    }
}

TEST_F(DayChangeTest, TheDayIsOverTwoHoursOnOnAnotherDate)
{
    struct Case
    {
        const char* what;
        std::int64_t page, now;
        bool changes;
    };
    const std::int64_t lateMonday = makeLocalTime(1997, 3, 3, 23, 30);
    const Case cases[] = {
        {"one hour past midnight", lateMonday, lateMonday + 3600, false},
        {"two hours past midnight", lateMonday, lateMonday + 7200, true},
        {"late the same day", makeLocalTime(1997, 3, 3, 0, 5), lateMonday, false},
        {"a month later, same day of month", kPageDate, makeLocalTime(1997, 4, 3, 9), true},
        {"the clock went back", makeLocalTime(1997, 3, 5, 9), kPageDate, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string data = dir.file("day" + std::to_string(n++));
        createDirectories(data);
        writeFile(data + "/daylark.day", dayFile(c.page, "text"));
        clock.time = c.now;
        ProgramRun run(data, sink, clock, profile);
        EXPECT_EQ(run.doc.CheckDay(), c.changes);
        EXPECT_EQ(run.doc.pageDate(), c.changes ? c.now : c.page);
        run.doc.setPageDate(c.page);
        EXPECT_EQ(run.doc.HasDayOrLater(), c.changes);
    }
    EXPECT_TRUE(sink.texts().empty());
}

// The program dies right before each write of a change of day; the next start loses nothing
// and files the page once. What was not saved yet comes back once more at the next change.
TEST_F(DayChangeTest, ACrashAtEachStepLosesNothing)
{
    struct Crash
    {
    };
    const std::pair<std::optional<Write>, std::string> cases[] = {
        {Write::Archive, kListsAfter + "/Call Mum/April fool/Later"},
        {Write::DayFile, kListsAfter + "/Call Mum/April fool/Later"},
        {Write::Lists, kListsBefore + kAllNotes},
        {Write::Alarms, kListsAfter + kAllNotes},
        {Write::FutureNotes, kListsAfter + kAllNotes},
        {std::nullopt, kListsAfter + "/Call Mum/April fool/Later"},
    };
    int n = 0;
    for (const auto& [crashAt, stores] : cases) {
        SCOPED_TRACE(n);
        const std::string data = makeDataSet("crash" + std::to_string(n++));
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
                  dayFile(clock.time, "{} Call Bob\r\r\n\r\r\nPay rent"));
        EXPECT_EQ(restart.filedPages(),
                  std::vector{std::to_string(kPageDate) + "|" + kFiledPage + kListDone + kDentist});
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
    const std::string unwritable = makeDataSet("unwritable");
    ASSERT_EQ(::symlink("missing/1997.dlk", (unwritable + "/1997.dlk").c_str()), 0);
    ProgramRun run(unwritable, sink, clock, profile);
    run.doc.InitialDayCheck();
    EXPECT_EQ(run.doc.pageDate(), clock.time);
    EXPECT_EQ(run.doc.pageText().text(), kPage + kDentist);
    EXPECT_EQ(run.stores(), kListsBefore + kAllNotes + " Vet Pills Party");
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].text.rfind("File Exception, 2, Creating Daylark archive.", 0), 0u);
}

TEST_F(DayChangeTest, SaveModifiedTakesUpADayFileChangedOnDisk)
{
    struct Case
    {
        const char* what;
        std::string onDisk;
        std::string saved; ///< the page text written
    };
    const Case cases[] = {
        {"flag 0 is merged line by line", dayFile(kPageDate - 86400, "zero\r\nthree", 0),
         "zero\r\r\nthree\r\r\none\r\r\ntwo\r\r\n"},
        {"flag 1 is taken as it stands", dayFile(kPageDate, "three", 1), "three"},
        {"the old layout is merged", dword(kPageDate) + char(5) + "three",
         "one\r\r\ntwo\r\r\nthree\r\r\n"},
    };
    clock.time = kPageDate + 3600;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string data = dir.file("changed" + std::to_string(n++));
        createDirectories(data);
        writeFile(data + "/daylark.day", dayFile(kPageDate, "one"));
        ProgramRun run(data, sink, clock, profile);
        EXPECT_FALSE(run.doc.CheckDayFile(/*merge=*/false));
        run.doc.pageText().setText("one\r\ntwo");
        writeFile(data + "/daylark.day", c.onDisk);
        EXPECT_TRUE(run.doc.CheckDayFile(/*merge=*/false));
        EXPECT_TRUE(run.doc.SaveModified());
        EXPECT_EQ(readFile(data + "/daylark.day"), dayFile(kPageDate, c.saved));
        EXPECT_FALSE(run.doc.CheckDayFile(/*merge=*/true));
    }

    // A changed file that does not read is kept aside before the page is saved over it.
    const std::string data = dir.file("changed" + std::to_string(n));
    createDirectories(data);
    ProgramRun run(data, sink, clock, profile);
    run.doc.pageText().setText("mine");
    const std::string cut = dayFile(kPageDate, "theirs").substr(0, 14);
    writeFile(data + "/daylark.day", cut);
    EXPECT_TRUE(run.doc.SaveModified());
    EXPECT_EQ(readFile(data + "/daylark.day"), dayFile(kPageDate + 3600, "mine"));
    EXPECT_EQ(readFile(data + "/daylark.day.damaged.000"), cut);
    ASSERT_EQ(sink.texts().size(), 1u);
    EXPECT_EQ(sink.texts()[0].rfind("Archive Exception, 3, reading a different daylark.day "
                                    "file",
                                    0),
              0u);
}

} // namespace
} // namespace daylark::test
