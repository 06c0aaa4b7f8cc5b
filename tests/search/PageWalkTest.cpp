#include "platform/DisplayFlags.h"
#include "search/TextSearch.h"
#include "support/DataSetTestFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace daylark::test {
namespace {

/// Searches the archives of `dir` from `firstYear` back, reading them as `reading` says, and
/// gives everything the search shows: each hit with its page's date, the count, and the
/// messages.
std::vector<std::string> searchDir(const std::string& dir, int firstYear,
                                   const SearchRequest& request, ArchiveReading reading,
                                   const FixedClock& clock)
{
    RecordingSink sink;
    const auto pathOf = [&dir](int year) { return dir + "/" + std::to_string(year) + ".dlk"; };
    CPageArchive first(pathOf(firstYear), sink, clock);
    first.Open(/*loading=*/true, /*create=*/false);
    const std::vector<std::unique_ptr<CDaylarkTodo>> lists;
    const std::vector<std::unique_ptr<CDaylarkAlarm>> alarms;
    const SearchSources sources{first, firstYear, pathOf, lists, alarms, reading};
    const SearchResults results = searchText(request, sources, DisplayFlags{}, sink, clock);
    std::vector<std::string> shown;
    for (const SearchHit& hit : results.hits) {
        shown.push_back(std::to_string(hit.pageDate.value_or(-1)) + " " + hit.text);
    }
    shown.push_back("count " + std::to_string(results.hitCount));
    for (const std::string& message : sink.texts()) {
        shown.push_back("message " + message);
    }
    return shown;
}

/// The searches every data set is put through: found nowhere, often, rarely, with "and" and
/// "or", across the caps of the hit count and the buffer, and with few months back.
std::vector<SearchRequest> requests()
{
    return {
        {"strawberry", "", Combination::And, 400, 40},  {"PAGE", "", Combination::And, 400, 40},
        {"page", "", Combination::And, 400, 10000},   // the buffer cap ends it
        {"page 7", "", Combination::And, 400, 10000}, // a word in about one page of ten
        {"Caf\xC3\xA9", "", Combination::And, 400, 40}, {"line\r\n", "", Combination::And, 400, 40},
        {"rare", "page 3", Combination::And, 400, 40},  {"rare", "tail", Combination::Or, 400, 40},
        {"page", "", Combination::And, 2, 40},          {"nothing", "", Combination::And, 0, 0},
        {"page", "", Combination::And, 400, 0},
    };
}

void expectSameResults(const std::string& dir, int firstYear, const FixedClock& clock)
{
    for (const SearchRequest& request : requests()) {
        SCOPED_TRACE(request.term1 + " / " + request.term2 + " " +
                     std::to_string(request.monthsBack) + " " + std::to_string(request.maxHits));
        EXPECT_EQ(searchDir(dir, firstYear, request, ArchiveReading::InBlocks, clock),
                  searchDir(dir, firstYear, request, ArchiveReading::EntryByEntry, clock));
    }
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class PageWalkTest : public ::testing::Test
{
protected:
    /// Files `count` pages a day apart from `firstDay` on, each of `size` bytes or more.
    void fileYear(int year, int count, std::size_t size)
    {
        std::vector<DatedText> pages;
        for (int i = 0; i < count; ++i) {
            std::string text = "Page " + std::to_string(i) + "\r\r\nline\r\n";
            text += i % 9 == 4 ? "a RARE word, caf\xC3\xA9" : i % 7 == 3 ? "CAF\xE9 tail" : "";
            text.resize(std::max(text.size(), size), i % 2 != 0 ? 'x' : ' ');
            const std::int64_t day = *parseLocalDate(std::to_string(year) + "-01-01") + i * 86400;
            pages.emplace_back(formatTime("%Y-%m-%d", day, false), text);
        }
        filePages(path(year), pages, clock);
    }
    std::string path(int year) const { return dir.file(std::to_string(year) + ".dlk"); }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    FixedClock clock{makeLocalTime(1998, 2, 10, 9)};
};

TEST_F(PageWalkTest, ReadingInBlocksFindsWhatReadingEntryByEntryFinds)
{
    fileYear(1998, 40, 60);
    fileYear(1997, 300, 1500); // larger than one block: the walk reads several
    fileYear(1996, 3, 100000); // pages larger than a block
    fileYear(1994, 365, 20);   // and 1995 is missing
    expectSameResults(dir.path(), 1998, clock);

    // A wide text, a torn tail and an entry whose offsets disagree are read entry by entry,
    // with the archive's own messages, in whichever year they stand.
    std::string wide = readBytes(path(1997));
    const std::size_t text = wide.find("Page 299");
    ASSERT_NE(text, std::string::npos);
    wide.replace(text - 3, 3 + 8, std::string("\xFF\xFE\xFF\x04P\0a\0g\0e\0", 12));
    wide.erase(wide.size() - 5, 1); // keep the entry's length: it lost one byte above
    writeBytes(path(1997), wide);
    expectSameResults(dir.path(), 1998, clock);

    writeBytes(path(1994), readBytes(path(1994)) + "torn");
    expectSameResults(dir.path(), 1998, clock);

    std::string broken = readBytes(path(1998));
    broken[broken.size() / 2 + 1] ^= 0x40;
    writeBytes(path(1998), broken);
    expectSameResults(dir.path(), 1998, clock);
}

TEST_F(PageWalkTest, AnArchiveCutOrWithAnyByteChangedReadsAlikeEitherWay)
{
    fileYear(1998, 4, 12);
    const std::string bytes = readBytes(path(1998));
    const SearchRequest request{"page", "", Combination::Or, 400, 40};
    const auto same = [&](const std::string& trace) {
        SCOPED_TRACE(trace);
        EXPECT_EQ(searchDir(dir.path(), 1998, request, ArchiveReading::InBlocks, clock),
                  searchDir(dir.path(), 1998, request, ArchiveReading::EntryByEntry, clock));
    };
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        writeBytes(path(1998), bytes.substr(0, length));
        same("cut at " + std::to_string(length));
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        for (const unsigned char flip : {0x01, 0xFF}) {
            std::string changed = bytes;
            changed[at] = static_cast<char>(changed[at] ^ flip);
            writeBytes(path(1998), changed);
            same("byte " + std::to_string(at) + " ^ " + std::to_string(flip));
        }
    }
}

} // namespace
} // namespace daylark::test
