#include "diary/CDaylarkView.h"

#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkPage.h"
#include "diary/CPageArchive.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/Profile.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

constexpr std::int64_t kNow = 857397900; // Monday 3 March 1997, 9:05 EST

enum class Step { Back, Forward };

struct Expected
{
    Step step;
    const char* caption;
    std::string text;
};

class DaylarkViewTest : public ::testing::Test
{
protected:
    DaylarkViewTest()
    {
        LocationOptions options;
        options.dataDir = dir.path();
        doc.setLocations(Locations::resolve(options, [](const char*) { return nullptr; }));
    }

    void startDay(std::int64_t date, const std::string& text)
    {
        doc.setPageDate(date);
        doc.setShownDate(date);
        doc.pageText().setText(text);
    }

    /// Files a page into the archive of its year; a new archive's header says `created`.
    void file(std::int64_t date, std::string text, std::int64_t created = kNow)
    {
        const FixedClock madeAt{created};
        CDaylarkPage page;
        page.Date = date;
        page.Text = std::move(text);
        ASSERT_GT(CPageArchive(doc.archivePathFor(date), sink, madeAt).AppendPage(page), 0);
    }

    /// Takes each step and checks the day and the filed page on show.
    void walk(const std::vector<Expected>& steps)
    {
        for (const Expected& e : steps) {
            SCOPED_TRACE(e.caption);
            e.step == Step::Back ? view.BackwardDay() : view.ForwardDay();
            EXPECT_EQ(view.caption(), e.caption);
            EXPECT_EQ(doc.pageText().text(), e.text);
            EXPECT_TRUE(doc.pageText().readOnly());
        }
    }

    void expectToday(const std::string& text)
    {
        EXPECT_EQ(doc.shownDate(), doc.pageDate());
        EXPECT_EQ(doc.pageText().text(), text);
        EXPECT_FALSE(doc.pageText().readOnly());
        EXPECT_FALSE(doc.savedTodayText());
        EXPECT_TRUE(doc.yearArchives().empty());
    }

    ScopedTimeZone zone{"EST5EDT,M4.1.0,M10.5.0"};
    TempDir dir;
    RecordingSink sink;
    FixedClock clock{kNow};
    Profile profile{dir.file("daylark.ini"), sink};
    CDaylarkDoc doc{sink, clock, profile};
    DisplayFlags flags;
    std::vector<std::string> checks; ///< the Today command's calls, in order
    CDaylarkView view{doc,
                      flags,
                      {[this] {
                           checks.push_back(doc.showsToday() ? "check" : "check while browsing");
                           return true;
                       },
                       [this] { checks.emplace_back("save"); }}};
};

TEST_F(DaylarkViewTest, BrowsesAcrossNewYearAndBringsTodaysTextBackExactly)
{
    // Last year's archive got its header when its last page was filed, after New Year.
    const std::int64_t afterNewYear = makeLocalTime(1997, 1, 1, 0, 10);
    file(makeLocalTime(1996, 12, 28, 12), "dec 28", afterNewYear);
    file(makeLocalTime(1996, 12, 30, 12), "dec 30\r\r\n");
    file(makeLocalTime(1997, 1, 1, 12), "jan 1");
    const std::string today("today\r\r\nline \xE9\0end", 17);
    startDay(makeLocalTime(1997, 1, 2, 9), today); // unsaved: the mark must survive browsing

    walk({{Step::Back, "Wednesday, January 1, 1997", "jan 1"},
          {Step::Back, "Tuesday, December 31, 1996", ""},
          {Step::Back, "Monday, December 30, 1996", "dec 30\r\r\n"},
          {Step::Back, "Sunday, December 29, 1996", ""},
          {Step::Back, "Saturday, December 28, 1996", "dec 28"},
          {Step::Forward, "Sunday, December 29, 1996", ""},
          {Step::Forward, "Monday, December 30, 1996", "dec 30\r\r\n"},
          {Step::Forward, "Tuesday, December 31, 1996", ""},
          {Step::Forward, "Wednesday, January 1, 1997", "jan 1"}});
    EXPECT_EQ(doc.yearArchives().size(), 2u); // one object per year, opened once
    EXPECT_TRUE(doc.isModified());

    view.ForwardDay();
    expectToday(today);
    EXPECT_EQ(view.caption(), "Thursday, January 2, 1997");
    EXPECT_TRUE(doc.isModified());
    view.ForwardDay(); // never past today
    expectToday(today);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DaylarkViewTest, ShowsEveryDayAcrossTheStartOfSummerTime)
{
    // Summer time starts on Sunday 6 April 1997; that day has 23 hours.
    for (int day : {4, 5, 6}) {
        file(makeLocalTime(1997, 4, day, 12), "april " + std::to_string(day));
    }
    startDay(makeLocalTime(1997, 4, 7, 0, 30), "today");

    walk({{Step::Back, "Sunday, April 6, 1997", "april 6"},
          {Step::Back, "Saturday, April 5, 1997", "april 5"},
          {Step::Back, "Friday, April 4, 1997", "april 4"},
          {Step::Forward, "Saturday, April 5, 1997", "april 5"},
          {Step::Forward, "Sunday, April 6, 1997", "april 6"}});
    view.ForwardDay();
    expectToday("today");
}

TEST_F(DaylarkViewTest, AShownDateAfterThePageDateShowsTheCurrentPage)
{
    const std::int64_t pageDate = makeLocalTime(1997, 3, 3, 9);
    const std::pair<const char*, void (CDaylarkView::*)()> actions[] = {
        {"GoToToday", &CDaylarkView::GoToToday},
        {"TodayCommand", &CDaylarkView::TodayCommand},
        {"ForwardDay", &CDaylarkView::ForwardDay},
        {"BackwardDay", &CDaylarkView::BackwardDay},
    };
    for (const auto& [name, action] : actions) {
        SCOPED_TRACE(name);
        startDay(pageDate, "current");
        doc.setShownDate(addLocalDays(pageDate, 2));
        (view.*action)();
        if (action != &CDaylarkView::BackwardDay) {
            expectToday("current");
            continue;
        }
        // The day before the page date, from a year without an archive: empty, no message.
        EXPECT_EQ(view.caption(), "Sunday, March 2, 1997");
        EXPECT_EQ(doc.pageText().text(), "");
        EXPECT_TRUE(doc.pageText().readOnly());
        view.TodayCommand(); // back to today first, then the changed day file is taken up
        expectToday("current");
    }
    EXPECT_EQ(checks, (std::vector<std::string>{"check", "save", "check", "save"}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DaylarkViewTest, F4JoinsSelectionsShorterThan4096AndF5StampsByTheDisplayFlags)
{
    struct Case
    {
        const char* what;
        std::string selected;
        std::string joined; ///< empty: the text stays as it was
    };
    const Case cases[] = {
        {"4095 joined", std::string(4093, 'a') + "\r\n", std::string(4093, 'a') + " "},
        {"4096 not joined", std::string(4094, 'a') + "\r\n", ""},
        {"CRs dropped, LFs blanks", "one\r\r\ntwo\nthree\r", "one two three"},
        {"nothing left", "\r\r", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startDay(kNow, "<" + c.selected + ">");
        doc.pageText().setSelection(1, 1 + c.selected.size());
        view.JoinLines();
        EXPECT_EQ(doc.pageText().text(), "<" + (c.joined.empty() ? c.selected : c.joined) + ">");
    }

    struct Stamp
    {
        bool use24HourClock, useGmt;
        const char* stamp;
    };
    const Stamp stamps[] = {
        {false, false, "9:05 AM: "},
        {true, false, "Mon Mar 03 09:05:00 1997"},
        {false, true, "Monday, March 3, 02:05:00PM 1997"},
        {true, true, "Mon Mar 03 14:05:00 1997"},
    };
    for (const Stamp& c : stamps) {
        SCOPED_TRACE(c.stamp);
        flags = {c.use24HourClock, c.useGmt};
        startDay(kNow, "abcXYZdef");
        doc.pageText().setSelection(3, 6);
        view.InsertTimeStamp();
        EXPECT_EQ(doc.pageText().text(), std::string("abc") + c.stamp + "def");
    }

    // A filed page on show takes neither key.
    view.BackwardDay();
    doc.pageText().setText("filed\r\npage");
    doc.pageText().setSelection(0, 11);
    view.InsertTimeStamp();
    view.JoinLines();
    EXPECT_EQ(doc.pageText().text(), "filed\r\npage");
}

} // namespace
} // namespace daylark::test
