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

} // namespace
} // namespace daylark::test
