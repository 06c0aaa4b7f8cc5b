#include "search/CSearchDlg.h"

#include "app/DaylarkApp.h"
#include "support/DataSetTestFiles.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

using Lines = std::vector<std::string>;

class SearchDlgTest : public ::testing::Test
{
protected:
    SearchDlgTest() { app.start(); }

    void filePage(const std::string& day, const std::string& text)
    {
        filePages(app.locations().archivePath(std::stoi(day.substr(0, 4))), {{day, text}}, clock);
    }
    void saveAlarm(const std::string& name)
    {
        saveRecords<CAlarmFile>(app.locations().alarmPath(),
                                alarm(name, "1997-01-03 14:30", Frequency::Daily));
    }
    CSearchDlg dialog()
    {
        return CSearchDlg(app.doc(), app.view(), app.frame().listsFile(), app.frame().alarmFile(),
                          app.frame().displayFlags());
    }
    /// Searches as the user would, giving every hit in full.
    Lines search(const std::string& term, int monthsBack = 6, int maxHits = 40)
    {
        CSearchDlg dlg = dialog();
        dlg.Open();
        dlg.setTerm1(term);
        dlg.setMonthsBack(std::to_string(monthsBack));
        dlg.setMaxHits(std::to_string(maxHits));
        dlg.Start();
        EXPECT_EQ(dlg.hitsText(), std::to_string(dlg.results().size()));
        return dlg.results();
    }
    /// The first line of every hit.
    Lines headings(const Lines& hits)
    {
        Lines lines;
        for (const std::string& hit : hits) {
            lines.push_back(hit.substr(0, hit.find('\r')));
        }
        return lines;
    }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    RecordingSink sink;
    FixedClock clock{makeLocalTime(1997, 1, 3, 9)};
    DaylarkApp app{Locations::resolve({dir.file("data"), dir.file("daylark.ini"), {}},
                                      [](const char*) -> const char* { return nullptr; }),
                   sink, clock};
};

TEST_F(SearchDlgTest, PagesComeNewestFirstAcrossTheNewYearThenListsThenAlarms)
{
    for (const char* day : {"1996-05-20", "1996-06-20", "1996-12-30", "1996-12-31"}) {
        filePage(day, "Word of 1996");
    }
    filePage("1997-01-01", "word on new year's day");
    filePage("1997-01-02", "Second WORD\r\n");
    saveRecords<CTodoFile>(app.locations().listsPath(), list("Books", "nothing to find"),
                           list("Shopping", "word list", makeLocalTime(1996, 12, 30, 9, 5)));
    saveAlarm("Word alarm");

    // Six months back from 3 January is 7 July: 20 June is the first page older than that and
    // is still tested; 20 May is not reached.
    const Lines hits = search("word");
    EXPECT_EQ(headings(hits),
              (Lines{"PAGE: Thursday, January 2, 1997", "PAGE: Wednesday, January 1, 1997",
                     "PAGE: Tuesday, December 31, 1996", "PAGE: Monday, December 30, 1996",
                     "PAGE: Thursday, June 20, 1996", "LIST: Shopping", "ALARM: Word alarm"}));
    ASSERT_EQ(hits.size(), 7u);
    EXPECT_EQ(hits[0], "PAGE: Thursday, January 2, 1997\r\r\nSecond WORD\r\n");
    EXPECT_EQ(hits[5], "LIST: Shopping\r\r\n Last changed: Monday, December 30, 9:05:00AM "
                       "1996\r\r\nword list");
    EXPECT_EQ(hits[6], "ALARM: Word alarm\r\r\n At: Friday, January 3, 2:30:00PM 1997");
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(SearchDlgTest, AMissingArchiveIsPassedOverOnlyWhileItsYearIsSearched)
{
    clock.time = makeLocalTime(1997, 1, 1, 10); // this year's archive does not exist yet
    app.doc().setPageDate(clock.time);
    filePage("1996-12-31", "word");
    filePage("1994-06-01", "word"); // and 1995 has none
    EXPECT_EQ(headings(search("word", 6)), Lines{"PAGE: Tuesday, December 31, 1996"});
    EXPECT_EQ(headings(search("word", 36)),
              (Lines{"PAGE: Tuesday, December 31, 1996", "PAGE: Wednesday, June 1, 1994"}));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(SearchDlgTest, MaximumHitsAndMonthsBackCapTheSearch)
{
    filePage("1997-01-01", "word, second day");
    filePage("1997-01-02", "word");
    saveRecords<CTodoFile>(app.locations().listsPath(), list("Shopping", "word second"));
    saveAlarm("word alarm");
    struct Case
    {
        std::string term;
        int monthsBack;
        int maxHits;
        Lines expected;
    };
    const std::string newest = "PAGE: Thursday, January 2, 1997";
    const std::string older = "PAGE: Wednesday, January 1, 1997";
    const Case cases[] = {
        {"word", 6, 0, {newest}}, // the newest page is still tested; nothing else is
        {"word", 6, -1, {newest}},
        {"second", 6, 0, {}},
        {"word", 6, 2, {newest, older}},
        {"word", 6, 3, {newest, older, "LIST: Shopping"}},
        {"word", 0, 40, {newest, "LIST: Shopping", "ALARM: word alarm"}},
        {"word", -5, 40, {newest, "LIST: Shopping", "ALARM: word alarm"}},
        {"word", 2000000000, 40, {newest, older, "LIST: Shopping", "ALARM: word alarm"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.term + " " + std::to_string(c.monthsBack) + " " + std::to_string(c.maxHits));
        EXPECT_EQ(headings(search(c.term, c.monthsBack, c.maxHits)), c.expected);
    }
}

TEST_F(SearchDlgTest, TheHitThatPassesThirtyTwoThousandCharactersEndsTheSearch)
{
    const std::string heading = "PAGE: Thursday, January 2, 1997\r\r\n";
    filePage("1996-12-31", "word");
    filePage("1997-01-01", "word");
    filePage("1997-01-02", "word" + std::string(kBufferLimit - heading.size() - 4, '.'));
    saveRecords<CTodoFile>(app.locations().listsPath(), list("Shopping", "word"));

    const Lines hits = search("word");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].size(), kBufferLimit); // exactly the limit is still within it
    EXPECT_EQ(hits[1], "PAGE: Wednesday, January 1, 1997\r\r\nword\r\r\nThe Buffers' maximum "
                       "size has been reached\r\r\nTry limiting your search criteria");
}

TEST_F(SearchDlgTest, OlderAndNewerStepThroughTheHitsAndTurnAround)
{
    filePage("1996-12-30", "word three");
    filePage("1996-12-31", "word two");
    filePage("1997-01-01", "word one");
    app.view().BackwardDay();
    CSearchDlg dlg = dialog();
    dlg.Open();
    EXPECT_FALSE(app.view().showsPastDay());
    dlg.setTerm1("word");
    dlg.Start([&] { EXPECT_EQ(dlg.resultsText(), "Searching..."); });
    ASSERT_EQ(dlg.results().size(), 3u);
    EXPECT_EQ(dlg.resultsText(), dlg.results()[0]);
    EXPECT_TRUE(dlg.olderEnabled());
    EXPECT_FALSE(dlg.newerEnabled());
    // Each step: the button, then the hit shown and whether older and newer are enabled.
    const std::tuple<char, std::size_t, bool, bool> steps[] = {
        {'<', 1, true, true},  {'<', 2, false, true}, {'>', 1, true, true},
        {'>', 0, true, false}, {'<', 1, true, true},  {'>', 0, true, false},
    };
    for (const auto& [button, shown, older, newer] : steps) {
        SCOPED_TRACE(std::string(1, button) + std::to_string(shown));
        button == '<' ? dlg.OlderHit() : dlg.NewerHit();
        EXPECT_EQ(dlg.resultsText(), dlg.results()[shown]);
        EXPECT_EQ(dlg.olderEnabled(), older);
        EXPECT_EQ(dlg.newerEnabled(), newer);
    }

    dlg.setTerm1("two");
    dlg.Start();
    EXPECT_EQ(dlg.resultsText(), "PAGE: Tuesday, December 31, 1996\r\r\nword two");
    EXPECT_FALSE(dlg.olderEnabled() || dlg.newerEnabled());
    dlg.setTerm1("");
    dlg.Start();
    EXPECT_EQ(dlg.resultsText(), "Text not Found...");
    EXPECT_EQ(dlg.hitsText(), "0");

    dlg.Close();
    EXPECT_TRUE(dlg.results().empty());
    EXPECT_FALSE(app.doc().pageArchive().isOpen());
    EXPECT_EQ(app.frame().alarmFile().holders(), 0);
    EXPECT_EQ(app.frame().listsFile().holders(), 0);
}

TEST_F(SearchDlgTest, AnAlarmListHeldByTheCalendarIsSharedAndHandedBackAsItWas)
{
    saveAlarm("Dentist word");
    const std::string onFile = readFile(app.locations().alarmPath());
    CAlarmFile& alarms = app.frame().alarmFile();
    alarms.Load(); // the calendar holds the list, with an alarm it has not saved yet
    alarms.add(std::make_unique<CDaylarkAlarm>())->Name = "Gym word";
    alarms.setChanged(true);

    EXPECT_EQ(headings(search("word")), (Lines{"ALARM: Dentist word", "ALARM: Gym word"}));
    EXPECT_EQ(alarms.holders(), 1);
    EXPECT_TRUE(alarms.changed());
    EXPECT_EQ(alarms.records().size(), 2u);
    EXPECT_EQ(readFile(app.locations().alarmPath()), onFile);
}

TEST_F(SearchDlgTest, APageFiledByAChangeOfDayWhileOpenIsFound)
{
    filePage("1997-01-02", "word before");
    app.doc().pageText().setText("word of today");
    CSearchDlg dlg = dialog();
    dlg.Open();
    clock.advance(86400);
    app.frame().ClockTick(); // files Friday's page through the document's archive
    dlg.setTerm1("word");
    dlg.Start();
    ASSERT_EQ(dlg.results().size(), 2u);
    EXPECT_EQ(dlg.results()[0], "PAGE: Friday, January 3, 1997\r\r\nword of today");
}

TEST(SearchDlgFields, NumbersReadAsTheDialogReadsThem)
{
    const std::pair<const char*, int> cases[] = {
        {"6", 6},     {" 12 ", 12}, {"-3", -3},         {"+4", 4},  {"abc", 0},
        {"12abc", 0}, {"", 0},      {"99999999999", 0}, {"+-5", 0}, {"1 2", 0},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(readNumberField(text), value);
    }
}

} // namespace
} // namespace daylark::test
