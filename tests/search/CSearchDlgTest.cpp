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
        return texts(dlg.results());
    }
    static Lines texts(const std::vector<SearchHit>& hits)
    {
        Lines lines;
        for (const SearchHit& hit : hits) {
            lines.push_back(hit.text);
        }
        return lines;
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
    EXPECT_EQ(dlg.resultsText(), dlg.results()[0].text);
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
        EXPECT_EQ(dlg.resultsText(), dlg.results()[shown].text);
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
    EXPECT_EQ(dlg.results()[0].text, "PAGE: Friday, January 3, 1997\r\r\nword of today");
}

TEST_F(SearchDlgTest, ATermBeyondAsciiFindsBothItsSpellings)
{
    filePage("1996-12-30", "\x93quoted\x94 in an old page");
    filePage("1996-12-31", "CAF\xC3\x89 in capitals");
    filePage("1997-01-01", "caf\xE9 au lait"); // copied from the older program on Windows
    filePage("1997-01-02", "Caf\xC3\xA9 noir");
    saveRecords<CTodoFile>(app.locations().listsPath(), list("Shopping", "caf\xE9 beans"));
    saveAlarm("CAF\xE9 with Ann");
    const std::string jan2 = "PAGE: Thursday, January 2, 1997";
    const std::string jan1 = "PAGE: Wednesday, January 1, 1997";

    const std::pair<std::string, Lines> cases[] = {
        {"caf\xC3\xA9", {jan2, jan1, "LIST: Shopping", "ALARM: CAF\xE9 with Ann"}},
        // Only ASCII letters fold: the capital E acute is another character.
        {"CAF\xC3\x89", {"PAGE: Tuesday, December 31, 1996"}},
        {"\xE2\x80\x9Cquoted\xE2\x80\x9D", {"PAGE: Monday, December 30, 1996"}},
        // A term that is no UTF-8 is looked for as its bytes only.
        {"caf\xE9", {jan1, "LIST: Shopping", "ALARM: CAF\xE9 with Ann"}},
        // A character Windows-1252 lacks leaves the UTF-8 spelling only.
        {"caf\xC3\xA9 \xE2\x9C\x93", {}},
    };
    for (const auto& [term, expected] : cases) {
        SCOPED_TRACE(term);
        EXPECT_EQ(headings(search(term)), expected);
    }

    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(SearchDlgTest, NumberFieldsTakeWholeNumbersInRangeOnly)
{
    filePage("1997-01-02", "word");
    CSearchDlg dlg = dialog();
    dlg.Open();
    dlg.setTerm1("word");
    const std::string hit = "PAGE: Thursday, January 2, 1997\r\r\nword";
    const std::string range = " takes a whole number from -2147483648 to 2147483647.";
    using Field = CSearchDlg::Field;
    struct Case
    {
        std::string monthsBack;
        std::string maxHits;
        std::optional<Field> refused;
    };
    const Case cases[] = {
        {"2147483648", "40", Field::MonthsBack},
        {"6", "999999999999", Field::MaxHits},
        {"", "40", Field::MonthsBack},
        {"6", "12abc", Field::MaxHits},
        {" 12 ", "+4", std::nullopt},
        {"-2147483648", "2147483647", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.monthsBack + " " + c.maxHits);
        sink.clear();
        dlg.setTerm1("nothing");
        dlg.setMonthsBack("6");
        dlg.setMaxHits("40");
        dlg.Start();
        ASSERT_EQ(dlg.resultsText(), "Text not Found...");

        dlg.setTerm1("word");
        dlg.setMonthsBack(c.monthsBack);
        dlg.setMaxHits(c.maxHits);
        dlg.Start();
        EXPECT_EQ(dlg.refusedField(), c.refused);
        if (!c.refused) {
            EXPECT_EQ(dlg.resultsText(), hit);
            EXPECT_TRUE(sink.messages.empty());
            continue;
        }
        // Nothing is searched: the results of the search before stay.
        EXPECT_EQ(dlg.resultsText(), "Text not Found...");
        EXPECT_EQ(dlg.hitsText(), "0");
        ASSERT_EQ(sink.messages.size(), 1u);
        const std::string field = c.refused == Field::MonthsBack ? "Months Back" : "Maximum Hits";
        EXPECT_EQ(sink.messages[0].text, field + range);
        EXPECT_EQ(sink.messages[0].caption, "Search For Text");
        EXPECT_EQ(sink.messages[0].icon, MessageIcon::Exclamation);
    }
}

TEST_F(SearchDlgTest, ShowDayLeavesForTheDayOfAPageHitOnly)
{
    filePage("1996-12-31", "word two");
    filePage("1997-01-02", "word one");
    saveRecords<CTodoFile>(app.locations().listsPath(), list("Shopping", "word"));
    app.doc().pageText().setText("today's page");

    // Opened from the calendar, no hit leads away.
    CSearchDlg fromCalendar(app.doc(), app.view(), app.frame().listsFile(), app.frame().alarmFile(),
                            app.frame().displayFlags(), SearchOrigin::Calendar);
    fromCalendar.Open();
    fromCalendar.setTerm1("word");
    fromCalendar.Start();
    EXPECT_FALSE(fromCalendar.showDayEnabled());
    EXPECT_FALSE(fromCalendar.ShowDay());
    EXPECT_TRUE(fromCalendar.isOpen());
    fromCalendar.Close();

    CSearchDlg dlg = dialog();
    dlg.Open();
    EXPECT_FALSE(dlg.showDayEnabled());
    dlg.setTerm1("nothing");
    dlg.Start();
    EXPECT_FALSE(dlg.showDayEnabled());
    EXPECT_TRUE(dlg.markedTerms().empty()); // the message is no hit

    dlg.setTerm1("WORD");
    dlg.Start();
    dlg.setTerm1("edited after the search");
    EXPECT_EQ(dlg.markedTerms(), Lines{"WORD"});
    EXPECT_TRUE(dlg.showDayEnabled());
    dlg.OlderHit();
    dlg.OlderHit();
    EXPECT_EQ(dlg.resultsText().substr(0, 14), "LIST: Shopping");
    EXPECT_FALSE(dlg.showDayEnabled());
    EXPECT_FALSE(dlg.ShowDay());
    EXPECT_TRUE(dlg.isOpen());
    EXPECT_FALSE(app.view().showsPastDay());

    dlg.NewerHit();
    ASSERT_TRUE(dlg.showDayEnabled());
    EXPECT_TRUE(dlg.ShowDay());
    EXPECT_FALSE(dlg.isOpen());
    EXPECT_EQ(app.view().caption(), "Tuesday, December 31, 1996");
    EXPECT_EQ(app.doc().pageText().text(), "word two");
    EXPECT_TRUE(app.doc().pageText().readOnly());
    EXPECT_FALSE(app.doc().pageArchive().isOpen());
    EXPECT_EQ(app.frame().listsFile().holders(), 0);
    EXPECT_EQ(app.frame().alarmFile().holders(), 0);
    app.view().ForwardDay();
    app.view().ForwardDay();
    EXPECT_EQ(app.doc().pageText().text(), "word one");
    app.view().ForwardDay();
    EXPECT_EQ(app.doc().pageText().text(), "today's page");
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace daylark::test
