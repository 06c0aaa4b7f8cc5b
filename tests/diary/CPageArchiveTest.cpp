#include "diary/CPageArchive.h"

#include "diary/DiaryTestSupport.h"
#include "platform/LocalTime.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

constexpr std::int64_t kCreated = 857000000;

/// An entry as it must be on disk (texts below 255 bytes).
std::string entryBytes(std::int64_t start, std::int64_t date, const std::string& page)
{
    const std::string record =
        classDescription("CDaylarkPage") + dword(100) + dword(date) + text(page);
    return dword(start + record.size() + 8) + record + dword(start);
}

/// Where entry i (from 0) of an archive of pages "page N" starts: each takes 41 bytes.
constexpr std::int64_t entryStart(int i)
{
    return 16 + 41 * i;
}

std::int64_t march(int day, int hour = 12)
{
    return makeLocalTime(1997, 3, day, hour);
}

class PageArchiveTest : public ::testing::Test
{
protected:
    /// Files one page per day of March, each text "page N"; returns the bytes.
    std::string fileDays(const std::vector<int>& days)
    {
        CPageArchive archive(path, sink, clock);
        for (std::size_t i = 0; i < days.size(); ++i) {
            EXPECT_GT(archive.AppendPage(makePage(march(days[i]), "page " + std::to_string(i + 1))),
                      0);
        }
        return readFile(path);
    }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    RecordingSink sink;
    FixedClock clock{kCreated};
    const std::string path = dir.file("1997.dlk");
};

TEST_F(PageArchiveTest, FilingWritesHeaderChainAndEntriesByteForByte)
{
    CPageArchive archive(path, sink, clock);
    EXPECT_EQ(archive.AppendPage(makePage(march(1), "first")), 12);
    const std::string one =
        dword(kCreated) + dword(0) + dword(101) + dword(16) + entryBytes(16, march(1), "first");
    EXPECT_EQ(one.size(), 12u + 4 + 4 + 18 + (4 + 4 + 1 + 5) + 4);
    EXPECT_EQ(readFile(path), one);

    EXPECT_EQ(archive.AppendPage(makePage(march(2), "second")), std::int64_t(one.size()));
    EXPECT_EQ(readFile(path), one + entryBytes(one.size(), march(2), "second"));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PageArchiveTest, FindPageWalksFromTheEndAndOnFromTheCachedPositions)
{
    const std::string bytes = fileDays({1, 2, 3, 5});
    struct Step
    {
        const char* what;
        int day;
        bool fromEnd, backward, takeAny;
        int found;    ///< index of the page found, -1 for none
        int cachedAt; ///< index of the entry cached afterwards
    };
    const Step steps[] = {
        {"after the last page stops at once", 10, true, true, false, -1, 3},
        {"from the end back to a filed day", 2, true, true, false, 1, 1},
        {"forward from the cache", 3, false, false, false, 2, 2},
        {"forward to a missing day stops at the next page", 4, false, false, false, -1, 3},
        {"backward to a missing day stops at the page before", 4, false, true, false, -1, 2},
        {"take any reads the entry before the cached one", 20, false, true, true, 1, 1},
        {"before the first page stops at the first entry", 0, true, true, false, -1, 0},
        {"forward from the first entry to the last", 5, false, false, false, 3, 3},
        {"forward past the end of the chain", 9, false, false, false, -1, 3},
    };
    CPageArchive archive(path, sink, clock);
    ASSERT_EQ(archive.Open(true, false), 0);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        std::unique_ptr<CDaylarkPage> page;
        const std::int64_t result =
            archive.FindPage(page, march(step.day, 20), step.fromEnd, step.backward, step.takeAny);
        EXPECT_EQ(result, step.found < 0 ? -1 : entryStart(step.found) - 4);
        EXPECT_EQ(page ? page->Text : "",
                  step.found < 0 ? "" : "page " + std::to_string(step.found + 1));
        const int at = step.cachedAt;
        EXPECT_EQ(archive.cachedPosition(), entryStart(at) - 4);
        EXPECT_EQ(archive.cachedPreviousStart(), entryStart(at == 0 ? 0 : at - 1));
        EXPECT_EQ(archive.cachedNextStart(), entryStart(at + 1));
    }
    archive.Close();

    EXPECT_EQ(archive.LoadAllPages(), 4u);
    for (std::size_t i = 0; i < archive.pages().size(); ++i) {
        EXPECT_EQ(archive.pages()[i]->Text, "page " + std::to_string(i + 1));
    }
    archive.setFileName(dir.file("copy.dlk"));
    archive.AppendAllPages();
    EXPECT_EQ(readFile(dir.file("copy.dlk")), bytes);
    EXPECT_TRUE(sink.messages.empty());
}

// An append cut off at any byte (in the header, the first or a later entry): readers see every
// complete entry without a message; the next append moves the rest aside and files after the
// last complete entry, leaving the file that appending the complete pages would have made.
TEST_F(PageArchiveTest, AppendAfterATornAppendMovesTheTailAsideAndLosesNothing)
{
    const std::string full = fileDays({1, 2, 3});
    for (std::size_t cut = 1; cut < full.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        TempDir scratch;
        const std::string torn = scratch.file("1997.dlk");
        writeFile(torn, full.substr(0, cut));
        const int complete = cut < 16 ? 0 : int(cut - 16) / 41;
        const std::size_t tailStart = cut < 12 ? 0 : cut < 16 ? 12 : entryStart(complete);

        EXPECT_EQ(CPageArchive(torn, sink, clock).LoadAllPages(), std::size_t(complete));
        EXPECT_GT(CPageArchive(torn, sink, clock).AppendPage(makePage(march(4), "next")), 0);
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_EQ(readFile(scratch.file("1997.torn.000")), full.substr(tailStart, cut - tailStart));
        EXPECT_EQ(fileExists(scratch.file("1997.torn.000")), cut > tailStart);

        const std::string kept = full.substr(0, entryStart(complete));
        EXPECT_EQ(readFile(torn), kept + entryBytes(kept.size(), march(4), "next"));
    }
}

TEST_F(PageArchiveTest, APlaceholderLeftInTheLastEntryIsReadAndMendedInPlace)
{
    const std::string full = fileDays({1, 2, 3});
    const std::int64_t lastStart = entryStart(2);
    std::string bytes = full;
    bytes.replace(lastStart, 4, dword(lastStart));
    const std::string tail = dword(full.size()) + "\xFF\xFF\x01"; // and a cut-off append
    writeFile(path, bytes + tail);

    CPageArchive archive(path, sink, clock);
    ASSERT_EQ(archive.Open(true, false), 0);
    std::unique_ptr<CDaylarkPage> page;
    EXPECT_EQ(archive.FindPage(page, march(3), true, true, false), lastStart - 4);
    EXPECT_EQ(archive.cachedNextStart(), std::int64_t(full.size()));
    archive.Close();
    EXPECT_EQ(archive.LoadAllPages(), 3u);

    EXPECT_EQ(archive.AppendPage(makePage(march(4), "next")), std::int64_t(full.size()));
    EXPECT_EQ(readFile(path), full + entryBytes(full.size(), march(4), "next"));
    EXPECT_EQ(readFile(dir.file("1997.torn.000")), tail);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PageArchiveTest, BrokenChainsEndTheWalkWithInvalidFormat)
{
    const std::string full = fileDays({1, 2, 3});
    const std::uint32_t second = entryStart(1);
    const std::uint32_t third = entryStart(2);
    struct Case
    {
        const char* what;
        std::uint32_t at, value; ///< the DWORD overwritten
        bool forward;            ///< walk forward from the first entry, else load all backward
        std::size_t loaded;
    };
    const Case cases[] = {
        {"a backward offset that points forward", third - 4, third + 8, false, 0},
        {"a backward offset into the header", third - 4, 8, false, 0},
        {"a backward offset to the wrong entry", third - 4, 16, false, 1},
        {"a forward offset that loops to its own entry", second, second, true, 0},
        {"a forward offset that points back", second, 16, true, 0},
        {"a forward offset outside the file", second, 0xFFFFFF00u, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(path, full);
        std::string bytes = full;
        bytes.replace(c.at, 4, dword(c.value));
        CPageArchive archive(path, sink, clock);
        if (c.forward) {
            // The walk caches the first entry; then the file changes under it.
            ASSERT_EQ(archive.Open(true, false), 0);
            std::unique_ptr<CDaylarkPage> page;
            ASSERT_EQ(archive.FindPage(page, march(1), true, true, false), 12);
            writeFile(path, bytes);
            EXPECT_EQ(archive.FindPage(page, march(3), false, false, false), -1);
            EXPECT_EQ(page, nullptr);
        } else {
            writeFile(path, bytes);
            EXPECT_EQ(archive.LoadAllPages(), c.loaded);
        }
        EXPECT_EQ(sink.texts(), std::vector<std::string>{"Archive Exception, 5, reading page "
                                                         "\nException: Invalid File format."});
        sink.clear();
    }

    // Any single damaged byte: every walk ends, with at most one message.
    for (std::size_t at = 0; at < full.size(); ++at) {
        SCOPED_TRACE("byte " + std::to_string(at));
        std::string bytes = full;
        bytes[at] = static_cast<char>(bytes[at] ^ 0xA5);
        writeFile(path, bytes);
        CPageArchive archive(path, sink, clock);
        EXPECT_LE(archive.LoadAllPages(), 3u);
        ASSERT_EQ(archive.Open(true, false), 0);
        std::unique_ptr<CDaylarkPage> page;
        archive.FindPage(page, march(1), true, true, false);
        archive.FindPage(page, march(3), false, false, false);
        EXPECT_LE(sink.messages.size(), 3u);
        sink.clear();
    }
}

TEST_F(PageArchiveTest, FailuresToOpenOrFileAreReportedAndFileNothing)
{
    EXPECT_EQ(CPageArchive(path, sink, clock).Open(true, false), 1); // missing: no message
    EXPECT_EQ(CPageArchive(dir.file("no/1997.dlk"), sink, clock).AppendPage(makePage(march(1), "")),
              0);
    EXPECT_EQ(sink.texts(),
              std::vector<std::string>{"File Exception, 2, Creating Daylark archive. "
                                       "\nException: The File could not be located."});
    sink.clear();

    // A date that a file cannot hold is refused before anything is written.
    const std::string before = fileDays({1});
    EXPECT_EQ(CPageArchive(path, sink, clock).AppendPage(makePage(std::int64_t{1} << 40, "")), 0);
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(readFile(path), before);
}

} // namespace
} // namespace daylark::test
