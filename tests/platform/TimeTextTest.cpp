#include "platform/TimeText.h"

#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace daylark::test {
namespace {

constexpr const char* kEastern = "EST5EDT,M4.1.0,M10.5.0";

// Monday 3 March 1997, 9:05:00 in the morning, five hours west of Greenwich.
constexpr std::int64_t kMarch3 = 857397900;

TEST(TimeText, ThreeFormatsFollowTheDisplayFlags)
{
    ScopedTimeZone zone(kEastern);
    ASSERT_EQ(makeLocalTime(1997, 3, 3, 9, 5, 0), kMarch3);
    // 24-hour clock, use GMT; clock, alarm time, long date without and with the time.
    const std::tuple<bool, bool, const char*, const char*, const char*, const char*> cases[] = {
        {false, false, "9:05 AM", "9:05 AM: ", "Monday, March 3, 1997",
         "Monday, March 3, 9:05:00AM 1997"},
        {false, true, "2:05 PM", "2:05 PM: ", "Monday, March 3, 1997",
         "Monday, March 3, 02:05:00PM 1997"},
        {true, false, "09:05", "09:05 ", "Mon Mar 03 1997", "Mon Mar 03 09:05:00 1997"},
        {true, true, "14:05", "14:05 ", "Mon Mar 03 1997", "Mon Mar 03 14:05:00 1997"},
    };
    for (const auto& [twentyFour, gmt, clock, alarm, date, dateWithTime] : cases) {
        SCOPED_TRACE(dateWithTime);
        const DisplayFlags f{twentyFour, gmt};
        EXPECT_EQ(ClockText(kMarch3, f), clock);
        EXPECT_EQ(FormatAlarmTime(kMarch3, f), alarm);
        EXPECT_EQ(FormatDate(kMarch3, false, f), date);
        EXPECT_EQ(FormatDate(kMarch3, true, f), dateWithTime);
    }
}

TEST(TimeText, TwelveHourClockAroundMidnightAndNoon)
{
    ScopedTimeZone zone(kEastern);
    const DisplayFlags twelve{false, false};
    const std::tuple<int, int, const char*, const char*> cases[] = {
        {0, 0, "12:00 AM", "12:00:00AM"},   {11, 59, "11:59 AM", "11:59:00AM"},
        {12, 0, "12:00 PM", "12:00:00PM"},  {13, 7, "1:07 PM", "1:07:00PM"},
        {23, 59, "11:59 PM", "11:59:00PM"},
    };
    for (const auto& [hour, minute, clock, longTime] : cases) {
        SCOPED_TRACE(clock);
        const std::int64_t t = makeLocalTime(1997, 7, 10, hour, minute);
        EXPECT_EQ(ClockText(t, twelve), clock);
        EXPECT_EQ(FormatDate(t, true, twelve),
                  std::string("Thursday, July 10, ") + longTime + " 1997");
    }
    // Summer time: local midnight of 10 July is 04:00 in Greenwich.
    EXPECT_EQ(ClockText(makeLocalTime(1997, 7, 10), DisplayFlags{true, true}), "04:00");
}

TEST(TimeText, PatternConversionsAndTheNoZeroFlag)
{
    // 5 January 2003, a Sunday, 07:08:09 UTC: every field has a leading zero to drop.
    constexpr std::int64_t t = 1041750489;
    const std::pair<const char*, const char*> cases[] = {
        {"%d %#d %e", "05 5  5"},
        {"%H %#H %I %#I %M %#M %S %#S", "07 7 07 7 08 8 09 9"},
        {"%m %#m %j %#j", "01 1 005 5"},
        {"%y %#y %Y %#Y", "03 3 2003 2003"},
        {"%a %A %b %B %h", "Sun Sunday Jan January Jan"},
        {"%w %u %p", "0 7 AM"},
        {"%F %T %D %R", "2003-01-05 07:08:09 01/05/03 07:08"},
        {"%c", "Sun Jan  5 07:08:09 2003"},
        {"100%% %q %#q", "100% %q %#q"},
        {"tail %", "tail %"},
        {"tail %#", "tail %#"},
        {"", ""},
    };
    for (const auto& [pattern, expected] : cases) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(formatTime(pattern, t, /*greenwich=*/true), expected);
    }
}

TEST(TimeText, TextsAreCutTo127Characters)
{
    EXPECT_EQ(formatTime(std::string(200, 'x'), 0, true), std::string(127, 'x'));
    std::string pattern, full;
    for (int i = 0; i < 20; ++i) {
        pattern += "%A ";
        full += "Thursday ";
    }
    EXPECT_EQ(formatTime(pattern, 0, true), full.substr(0, 127));
}

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
