#include "diary/CDaylarkView.h"

#include "diary/CDaylarkDoc.h"
#include "diary/DiaryTestSupport.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "platform/Profile.h"
#include "support/DataSetTestFiles.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace daylark::test {
namespace {

constexpr std::int64_t kNow = 857397900; // Monday 3 March 1997, 9:05 EST

class DaylarkViewTest : public ::testing::Test
{
protected:
    DaylarkViewTest() { doc.setLocations(locate(dir.path())); }

    void startDay(std::int64_t date, const std::string& text)
    {
        doc.setPageDate(date);
        doc.setShownDate(date);
        doc.pageText().setText(text);
    }

    /// Steps back one day for each of `days` (caption and filed text on show), then forward
    /// through them again up to the first.
    void walkBackAndForth(const std::vector<std::pair<const char*, std::string>>& days)
    {
        for (std::size_t i = 0; i + 1 < 2 * days.size(); ++i) {
            const bool back = i < days.size();
            const auto& [caption, text] = days[back ? i : 2 * days.size() - 2 - i];
            SCOPED_TRACE(caption);
            back ? view.BackwardDay() : view.ForwardDay();
            EXPECT_EQ(view.caption(), caption);
            EXPECT_EQ(doc.pageText().text(), text);
            EXPECT_TRUE(doc.pageText().readOnly());
        }
    }

    void expectToday(const std::string& text)
    {
        EXPECT_EQ(doc.shownDate(), doc.pageDate());
        EXPECT_EQ(doc.pageText().text(), text);
        EXPECT_FALSE(doc.pageText().readOnly());
        EXPECT_FALSE(doc.savedTodayText());
        EXPECT_EQ(doc.browsingArchiveCount(), 0u);
    }

    ScopedTimeZone zone{kEastern};
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
    filePages(dir.file("1996.dlk"), {{"1996-12-28", "dec 28"}, {"1996-12-30", "dec 30\r\r\n"}},
              FixedClock{makeLocalTime(1997, 1, 1, 0, 10)});
    filePages(dir.file("1997.dlk"), {{"1997-01-01", "jan 1"}}, clock);
    const std::string today("today\r\r\nline \xE9\0end", 17);
    startDay(makeLocalTime(1997, 1, 2, 9), today); // unsaved: the mark must survive browsing

    walkBackAndForth({{"Wednesday, January 1, 1997", "jan 1"},
                      {"Tuesday, December 31, 1996", ""},
                      {"Monday, December 30, 1996", "dec 30\r\r\n"},
                      {"Sunday, December 29, 1996", ""},
                      {"Saturday, December 28, 1996", "dec 28"}});
    EXPECT_EQ(doc.browsingArchiveCount(), 2u); // one object per year, opened once
    EXPECT_TRUE(doc.isModified());

    view.ForwardDay();
    expectToday(today);
    EXPECT_EQ(view.caption(), "Thursday, January 2, 1997");
    EXPECT_TRUE(doc.isModified());
    view.ForwardDay(); // never past today
    expectToday(today);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DaylarkViewTest, ShowDayJumpsToAFiledDayAndTheStepsGoOnFromThere)
{
    filePages(dir.file("1996.dlk"), {{"1996-12-28", "dec 28"}, {"1996-12-30", "dec 30"}},
              FixedClock{makeLocalTime(1997, 1, 1, 0, 10)});
    filePages(dir.file("1997.dlk"), {{"1997-01-01", "jan 1"}, {"1997-01-02", "jan 2"}}, clock);
    startDay(makeLocalTime(1997, 1, 3, 9), "today"); // unsaved: the mark must survive
    const auto noon = [](int year, int month, int day) {
        return makeLocalTime(year, month, day, 12);
    };

    // Each step: what is done, then the caption and the text on show (all read-only). The
    // jumps land on both sides of the entry an archive found last, and in another archive.
    const std::tuple<const char*, std::function<void()>, const char*, const char*> steps[] = {
        {"jump back", [&] { view.ShowDay(noon(1996, 12, 30)); }, "Monday, December 30, 1996",
         "dec 30"},
        {"step back", [&] { view.BackwardDay(); }, "Sunday, December 29, 1996", ""},
        {"step back", [&] { view.BackwardDay(); }, "Saturday, December 28, 1996", "dec 28"},
        {"jump on", [&] { view.ShowDay(noon(1996, 12, 30)); }, "Monday, December 30, 1996",
         "dec 30"},
        {"jump year", [&] { view.ShowDay(noon(1997, 1, 1)); }, "Wednesday, January 1, 1997",
         "jan 1"},
        {"jump on", [&] { view.ShowDay(makeLocalTime(1997, 1, 2, 0, 5)); },
         "Thursday, January 2, 1997", "jan 2"},
        {"jump back", [&] { view.ShowDay(noon(1997, 1, 1)); }, "Wednesday, January 1, 1997",
         "jan 1"},
        {"step on", [&] { view.ForwardDay(); }, "Thursday, January 2, 1997", "jan 2"},
        {"no archive", [&] { view.ShowDay(noon(1990, 5, 1)); }, "Tuesday, May 1, 1990", ""},
    };
    for (const auto& [what, action, caption, text] : steps) {
        SCOPED_TRACE(std::string(what) + " to " + caption);
        action();
        EXPECT_EQ(view.caption(), caption);
        EXPECT_EQ(doc.pageText().text(), text);
        EXPECT_TRUE(doc.pageText().readOnly());
        EXPECT_EQ(doc.savedTodayText(), "today");
        EXPECT_TRUE(doc.isModified());
    }

    // The current page's day, or a later one, is today's page.
    view.ShowDay(makeLocalTime(1997, 1, 3, 23));
    expectToday("today");
    view.ShowDay(noon(1997, 1, 2));
    view.ShowDay(noon(1997, 2, 1));
    expectToday("today");
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DaylarkViewTest, ShowsEveryDayAcrossTheStartOfSummerTime)
{
    // Summer time starts on Sunday 6 April 1997; that day has 23 hours.
    filePages(dir.file("1997.dlk"),
              {{"1997-04-04", "april 4"}, {"1997-04-05", "april 5"}, {"1997-04-06", "april 6"}},
              clock);
    // Shortly after midnight a step of 24 hours back, late at night one forward, skips it.
    for (const int hour : {0, 23}) {
        SCOPED_TRACE(hour);
        startDay(makeLocalTime(1997, 4, 7, hour, 30), "today");
        walkBackAndForth({{"Sunday, April 6, 1997", "april 6"},
                          {"Saturday, April 5, 1997", "april 5"},
                          {"Friday, April 4, 1997", "april 4"}});
        view.ForwardDay();
        expectToday("today");
    }
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
        if (action == &CDaylarkView::BackwardDay) {
            // The day before the page date, from a year without an archive: empty, no message.
            EXPECT_EQ(view.caption(), "Sunday, March 2, 1997");
            EXPECT_EQ(doc.pageText().text(), "");
            EXPECT_TRUE(doc.pageText().readOnly());
            view.TodayCommand(); // back to today first, then the changed day file is taken up
        }
        expectToday("current");
    }
    EXPECT_EQ(checks, (std::vector<std::string>{"check", "save", "check", "save"}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DaylarkViewTest, F4JoinsSelectionsOfAnyLengthAndF5StampsByTheDisplayFlags)
{
    std::string longLines;
    for (int line = 0; line < 5000; ++line) {
        longLines += "line\r\n";
    }
    std::string longJoined;
    for (int line = 0; line < 5000; ++line) {
        longJoined += "line ";
    }
    const std::pair<std::string, std::string> joins[] = {
        // selected, joined (empty: the text stays as it was)
        {longLines, longJoined},
        {"one\r\r\ntwo\nthree\r", "one two three"},
        {"\r\r", ""},
    };
    for (const auto& [selected, joined] : joins) {
        SCOPED_TRACE(selected.size());
        startDay(kNow, "<" + selected + ">");
        doc.pageText().setSelection(1, 1 + selected.size());
        view.JoinLines();
        EXPECT_EQ(doc.pageText().text(), "<" + (joined.empty() ? selected : joined) + ">");
    }

    const std::tuple<bool, bool, const char*> stamps[] = {
        // use24HourClock, useGmt, stamp
        {false, false, "9:05 AM: "},
        {true, false, "Mon Mar 03 09:05:00 1997"},
        {false, true, "Monday, March 3, 02:05:00PM 1997"},
        {true, true, "Mon Mar 03 14:05:00 1997"},
    };
    for (const auto& [use24HourClock, useGmt, stamp] : stamps) {
        SCOPED_TRACE(stamp);
        flags = {use24HourClock, useGmt};
        startDay(kNow, "abcXYZdef");
        doc.pageText().setSelection(3, 6);
        view.InsertTimeStamp();
        EXPECT_EQ(doc.pageText().text(), std::string("abc") + stamp + "def");
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
