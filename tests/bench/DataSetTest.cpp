#include "bench/DataSet.h"

#include "bench/DataSetFiles.h"
#include "diary/CPageArchive.h"
#include "platform/LocalTime.h"
#include "platform/TimeText.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace daylark::test {
namespace {

using bench::DataSet;

/// A set ending on 15 June 2021: 30 alarms, 8 lists, 20 notes.
bench::GenerateOptions smallSet(std::uint64_t seed, int years = 2)
{
    return {years, makeLocalTime(2021, 6, 15, 9, 30), seed, 30, 8, 20, {}, 10};
}

/// Every file the set writes, by name, with its bytes.
std::map<std::string, std::string> writtenFiles(const DataSet& set)
{
    const TempDir dir;
    RecordingSink sink;
    EXPECT_TRUE(bench::writeDataSet(set, dir.path(), sink));
    EXPECT_TRUE(sink.messages.empty());
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        files[entry.path().filename().string()] = readFile(entry.path().string());
    }
    return files;
}

std::map<std::int64_t, std::string> pagesByDay(const DataSet& set)
{
    std::map<std::int64_t, std::string> pages;
    for (const CDaylarkPage& page : set.pages) {
        pages[localDayNumber(page.Date)] = page.Text;
    }
    return pages;
}

template <typename Records, typename Field>
std::size_t countChanged(const Records& a, const Records& b, Field field)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        count += a[i].*field != b[i].*field ? 1 : 0;
    }
    return count;
}

TEST(DataSet, SameSeedWritesSameBytesAndEachPartDrawsOnItsOwn)
{
    const auto first = writtenFiles(bench::generateDataSet(smallSet(5)));
    EXPECT_EQ(first, writtenFiles(bench::generateDataSet(smallSet(5))));
    ASSERT_EQ(first.size(), 7u) << "three archives, the day file and three record files";
    EXPECT_NE(first.at("2020.dlk"),
              writtenFiles(bench::generateDataSet(smallSet(6))).at("2020.dlk"));

    // More alarms change the alarm file only.
    bench::GenerateOptions moreAlarms = smallSet(5);
    moreAlarms.alarms = 31;
    const auto changed = writtenFiles(bench::generateDataSet(moreAlarms));
    for (const auto& [name, bytes] : first) {
        SCOPED_TRACE(name);
        EXPECT_EQ(name == "daylark.alm", changed.at(name) != bytes);
    }
}

TEST(DataSet, ArchiveBytesAreWhatFilingPageByPageWrites)
{
    const TempDir dir;
    const DataSet set = bench::generateDataSet(smallSet(9, 1));
    std::vector<CDaylarkPage> pages(set.pages.begin(), set.pages.begin() + 30);
    pages[3].Text.clear();
    pages[7].Text = std::string(70000, 'a'); // the longest length prefix
    pages[8].Text = std::string(300, 'b');
    const std::int64_t created = pages.front().Date + 86400;

    FixedClock clock(created);
    RecordingSink sink;
    CPageArchive archive(dir.file("2020.dlk"), sink, clock);
    std::vector<const CDaylarkPage*> order;
    for (const CDaylarkPage& page : pages) {
        ASSERT_GT(archive.AppendPage(page), 0);
        order.push_back(&page);
    }
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(readFile(dir.file("2020.dlk")), bench::yearArchiveBytes(order, created));
}

TEST(DataSet, ReadsBackThroughTheCoreAndExportsAsGeneratedAcrossSummerTime)
{
    const ScopedTimeZone zone(kEastern);
    const DataSet set = bench::generateDataSet(smallSet(3, 3));
    const TempDir dir;
    RecordingSink sink;
    ASSERT_TRUE(bench::writeDataSet(set, dir.path(), sink));
    const auto read = bench::readDataSet(dir.path(), sink);
    ASSERT_TRUE(read.has_value()) << ::testing::PrintToString(sink.texts());

    EXPECT_EQ(read->now, set.now);
    EXPECT_EQ(read->todayText, set.todayText);
    EXPECT_EQ(read->archiveCreated, set.archiveCreated);
    EXPECT_EQ(pagesByDay(*read), pagesByDay(set));
    EXPECT_TRUE(read->alarms == set.alarms);
    EXPECT_TRUE(read->lists == set.lists);
    ASSERT_EQ(read->notes.size(), set.notes.size());
    EXPECT_EQ(countChanged(read->notes, set.notes, &CDaylarkFuture::Text), 0u);
    EXPECT_EQ(countChanged(read->notes, set.notes, &CDaylarkFuture::Date), 0u);

    // One page a local day, ascending, all before today, some days missing.
    const long today = localDayNumber(set.now);
    long previous = 0;
    std::vector<std::size_t> sizes;
    for (const CDaylarkPage& page : set.pages) {
        EXPECT_GT(localDayNumber(page.Date), previous);
        EXPECT_LT(localDayNumber(page.Date), today);
        previous = localDayNumber(page.Date);
        sizes.push_back(page.Text.size());
        EXPECT_EQ(page.Text.find("{}"), std::string::npos) << "open tasks are never filed";
    }
    const long days = today - localDayNumber(set.pages.front().Date);
    EXPECT_LT(static_cast<long>(set.pages.size()), days * 97 / 100);
    EXPECT_GT(static_cast<long>(set.pages.size()), days * 80 / 100);
    std::sort(sizes.begin(), sizes.end());
    EXPECT_GT(sizes[sizes.size() / 2], 1500u);
    EXPECT_LT(sizes[sizes.size() / 2], 2600u);
    EXPECT_GT(sizes.back(), 4000u);

    std::set<std::int16_t> frequencies;
    for (const CDaylarkAlarm& alarm : set.alarms) {
        frequencies.insert(alarm.Frequency);
    }
    EXPECT_EQ(frequencies, (std::set<std::int16_t>{0, 1, 2, 3, 4, 5, 7}));
    for (const CDaylarkFuture& note : set.notes) {
        EXPECT_GT(localDayNumber(note.Date), today);
    }

    // The export holds every page text as stored, and nothing else.
    const TempDir exported;
    ASSERT_EQ(bench::exportPages(set, exported.path()), "");
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(exported.path())) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, set.pages.size());
    for (const CDaylarkPage& page : set.pages) {
        const std::string date = formatTime("%Y/%Y-%m-%d", page.Date, /*greenwich=*/false);
        EXPECT_EQ(readFile(exported.path() + "/" + date + ".txt"), page.Text) << date;
    }

    // One file per year holds the year's texts in date order, each closed by a line break.
    const TempDir byYear;
    ASSERT_EQ(bench::exportYears(set, byYear.path()), "");
    std::map<std::string, std::string> years;
    for (const CDaylarkPage& page : set.pages) {
        years[formatTime("%Y", page.Date, /*greenwich=*/false)] += page.Text + "\r\n";
    }
    for (const auto& [year, text] : years) {
        EXPECT_EQ(readFile(byYear.path() + "/" + year + ".txt"), text) << year;
    }
}

TEST(DataSet, OtherMachineDiffersInTheGivenShare)
{
    const DataSet set = bench::generateDataSet(smallSet(8));
    const bench::DeriveOptions tenPercent{10, 2};
    const DataSet other = bench::deriveDataSet(set, tenPercent);

    const auto mine = pagesByDay(set);
    const auto theirs = pagesByDay(other);
    std::size_t edited = 0;
    std::size_t missing = 0;
    for (const auto& [day, text] : mine) {
        const auto found = theirs.find(day);
        missing += found == theirs.end() ? 1 : 0;
        edited += found != theirs.end() && found->second != text ? 1 : 0;
    }
    const std::size_t changed = (mine.size() + 5) / 10;
    EXPECT_EQ(edited + missing, changed);
    EXPECT_EQ(missing, changed / 10);
    EXPECT_EQ(theirs.size(), mine.size() - missing) << "no page only on the other machine";
    EXPECT_EQ(countChanged(set.notes, other.notes, &CDaylarkFuture::Text), 2u);
    EXPECT_EQ(countChanged(set.lists, other.lists, &CDaylarkTodo::Contents), 1u);
    EXPECT_NE(other.todayText, set.todayText);
    ASSERT_EQ(other.alarms.size(), set.alarms.size() + 3);
    EXPECT_TRUE(std::equal(set.alarms.begin(), set.alarms.end(), other.alarms.begin()));

    // Reproducible, and a share of 0 copies the set unchanged.
    EXPECT_EQ(pagesByDay(bench::deriveDataSet(set, tenPercent)), theirs);
    const DataSet same = bench::deriveDataSet(set, {0, 2});
    EXPECT_EQ(pagesByDay(same), mine);
    EXPECT_EQ(same.todayText, set.todayText);
    EXPECT_EQ(same.alarms.size(), set.alarms.size());
}

TEST(DataSet, PlantedPhraseStandsOnALineOfItsOwnInTheGivenShareOfPages)
{
    const DataSet plain = bench::generateDataSet(smallSet(4));
    bench::GenerateOptions options = smallSet(4);
    options.plant = "Quarterly review";
    options.plantPercent = 10;
    const DataSet planted = bench::generateDataSet(options);

    ASSERT_EQ(planted.pages.size(), plain.pages.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < plain.pages.size(); ++i) {
        const std::string& text = planted.pages[i].Text;
        EXPECT_EQ(planted.pages[i].Date, plain.pages[i].Date);
        if (text == plain.pages[i].Text) {
            continue;
        }
        ++changed;
        SCOPED_TRACE(text);
        const std::size_t at = text.find(options.plant);
        ASSERT_NE(at, std::string::npos);
        const std::size_t end = at + options.plant.size();
        EXPECT_TRUE(at == 0 || text[at - 1] == '\n');
        EXPECT_TRUE(end == text.size() || text.compare(end, 3, "\r\r\n") == 0);
        // Without its line the page is as before; a page planted at its end gains the break
        // before the phrase when it had none.
        std::string without = text;
        without.erase(at, end == text.size() ? options.plant.size() : options.plant.size() + 3);
        if (end == text.size() && !plain.pages[i].Text.ends_with("\n")) {
            ASSERT_TRUE(without.ends_with("\r\r\n"));
            without.resize(without.size() - 3);
        }
        EXPECT_EQ(without, plain.pages[i].Text);
    }
    EXPECT_EQ(changed, (plain.pages.size() + 5) / 10);
    EXPECT_EQ(planted.todayText, plain.todayText);
    EXPECT_EQ(countChanged(planted.lists, plain.lists, &CDaylarkTodo::Contents), 0u);
}

} // namespace
} // namespace daylark::test
