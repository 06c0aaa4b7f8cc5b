#include "platform/LocalTime.h"

#include "platform/TimeText.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <tuple>

namespace daylark::test {
namespace {

// Monday 3 March 1997, 9:05:00 in the morning, five hours west of Greenwich.
constexpr std::int64_t kMarch3 = 857397900;

TEST(LocalTime, MakingLocalTimeCarriesFieldsOver)
{
    ScopedTimeZone zone(kEastern);
    const std::tuple<int, int, int, int, int, const char*> cases[] = {
        {1997, 3, 3, 25, 0, "1997-03-04 01"}, // hour 25 is the next day
        {1997, 13, 1, 0, 0, "1998-01-01 00"}, // month 13 is January of the next year
        {1997, 2, 30, 0, 0, "1997-03-02 00"}, // 30 February
        {1996, 2, 30, 0, 0, "1996-03-01 00"}, // in a leap year
        {1997, 3, 0, 12, 0, "1997-02-28 12"}, // day 0 is the last of the month before
        {1997, 1, 1, 0, -1, "1996-12-31 23"}, // minute -1
        {1997, 4, 6, 2, 30, "1997-04-06 03"}, // skipped by the spring change
    };
    for (const auto& [year, month, day, hour, minute, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(formatTime("%F %H", makeLocalTime(year, month, day, hour, minute), false),
                  expected);
    }
}

TEST(LocalTime, CalendarDaysAcrossSummerTimeChanges)
{
    ScopedTimeZone zone(kEastern);
    // 1997: summer time starts Sunday 6 April and ends Sunday 26 October.
    const std::int64_t beforeSpring = makeLocalTime(1997, 4, 6, 0, 30);
    const std::int64_t afterSpring = addLocalDays(beforeSpring, 1);
    EXPECT_EQ(afterSpring - beforeSpring, 23 * 3600);
    EXPECT_EQ(breakDown(afterSpring, false).day, 7);
    EXPECT_EQ(breakDown(afterSpring, false).hour, 0);
    EXPECT_EQ(addLocalDays(afterSpring, -1), beforeSpring);

    const std::int64_t autumnMidnight = makeLocalTime(1997, 10, 26);
    EXPECT_EQ(addLocalDays(autumnMidnight, 1) - autumnMidnight, 25 * 3600);
    EXPECT_EQ(localMidnight(autumnMidnight + 24 * 3600 + 1800), autumnMidnight);
    EXPECT_TRUE(sameLocalDay(autumnMidnight, autumnMidnight + 24 * 3600 + 1800));
    EXPECT_FALSE(sameLocalDay(autumnMidnight, autumnMidnight + 25 * 3600));

    EXPECT_EQ(localDayNumber(makeLocalTime(1970, 1, 1, 12)), 0);
    EXPECT_EQ(localDayNumber(makeLocalTime(1969, 12, 31, 23)), -1);
    EXPECT_EQ(localDayNumber(makeLocalTime(1997, 10, 27)) -
                  localDayNumber(makeLocalTime(1997, 10, 25, 23, 59)),
              2);
}

TEST(LocalTime, ParsingDatesAndTimes)
{
    ScopedTimeZone zone(kEastern);
    EXPECT_EQ(parseLocalDate("1997-03-03"), makeLocalTime(1997, 3, 3));
    EXPECT_EQ(parseLocalDate("2024-02-29"), makeLocalTime(2024, 2, 29));
    EXPECT_EQ(parseLocalDateTime("1997-03-03 09:05"), kMarch3);
    EXPECT_EQ(parseLocalDateTime("1997-12-31 23:59"), makeLocalTime(1997, 12, 31, 23, 59));

    const char* const badDates[] = {"",           "1997-3-03",   "1997-03-3",  "97-03-03",
                                    "1997/03/03", "1997-03-03 ", "1997-00-10", "1997-13-01",
                                    "1997-01-00", "1997-01-32",  "2026-02-30", "2023-02-29",
                                    "1900-02-29", "199a-03-03",  "-997-03-03", "1997-04-31"};
    for (const char* text : badDates) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseLocalDate(text));
    }
    const char* const badTimes[] = {"1997-03-03",         "1997-03-03 9:05",  "1997-03-03 24:00",
                                    "1997-03-03 23:60",   "1997-03-03T09:05", "1997-02-30 09:05",
                                    "1997-03-03 09:05:00"};
    for (const char* text : badTimes) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseLocalDateTime(text));
    }
}

TEST(LocalTime, StoredTimesAreSigned32Bit)
{
    EXPECT_TRUE(fitsStoredTime(2147483647) && fitsStoredTime(-2147483648LL));
    EXPECT_FALSE(fitsStoredTime(2147483648LL) || fitsStoredTime(-2147483649LL));
}

} // namespace
} // namespace daylark::test
