#include "bench/MakeDiaryOptions.h"

#include "platform/LocalTime.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <tuple>

namespace daylark::test {
namespace {

using bench::MakeDiaryOptions;
using bench::parseMakeDiaryArgs;

const std::int64_t kNow = makeLocalTime(2021, 6, 15, 9, 30);

TEST(MakeDiaryOptions, ReadsDatesAndCountsAndKeepsTheDefaults)
{
    const ScopedTimeZone zone(kEastern);
    const std::tuple<std::vector<std::string>, std::int64_t, int> cases[] = {
        {{"out"}, kNow, 10},
        {{"--now", "2020-03-08", "out"}, makeLocalTime(2020, 3, 8), 10},
        {{"--now", "2020-03-08 14:05", "--years", "30", "out"},
         makeLocalTime(2020, 3, 8, 14, 5),
         30},
        {{"--now", "2020-11-01T01:30:59", "out"}, makeLocalTime(2020, 11, 1, 1, 30, 59), 10},
    };
    for (const auto& [args, now, years] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const auto parsed = parseMakeDiaryArgs(args, kNow);
        ASSERT_TRUE(std::holds_alternative<MakeDiaryOptions>(parsed))
            << std::get<std::string>(parsed);
        const auto& options = std::get<MakeDiaryOptions>(parsed);
        EXPECT_EQ(options.generate.now, now);
        EXPECT_EQ(options.generate.years, years);
        EXPECT_EQ(options.outDir, "out");
        EXPECT_EQ(
            std::tuple(options.generate.alarms, options.generate.lists, options.generate.notes),
            std::tuple(200, 50, 300));
    }

    const auto derive = parseMakeDiaryArgs(
        {"--derive", "from", "--share", "2.5", "--seed", "18446744073709551615", "out"}, kNow);
    ASSERT_TRUE(std::holds_alternative<MakeDiaryOptions>(derive));
    EXPECT_EQ(std::get<MakeDiaryOptions>(derive).derive.sharePercent, 2.5);
    EXPECT_EQ(std::get<MakeDiaryOptions>(derive).derive.seed, 18446744073709551615ull);

    const auto planted =
        parseMakeDiaryArgs({"--plant", "--Quarterly review", "--plant-share", "12.5", "out"}, kNow);
    ASSERT_TRUE(std::holds_alternative<MakeDiaryOptions>(planted));
    EXPECT_EQ(std::get<MakeDiaryOptions>(planted).generate.plant, "--Quarterly review");
    EXPECT_EQ(std::get<MakeDiaryOptions>(planted).generate.plantPercent, 12.5);
}

TEST(MakeDiaryOptions, RefusesWhatCannotBeWritten)
{
    const std::vector<std::string> cases[] = {
        {},
        {"a", "b"},
        {"--years", "0", "out"},
        {"--years", "ten", "out"},
        {"--years", "60", "--now", "1950-01-01", "out"}, // before any storable time
        {"--now", "2021-02-30", "out"},
        {"--now", "2021-06-15 25:00", "out"},
        {"--now", "2021-06-15 10:00:60", "out"},
        {"--now", "2036-06-01", "out"}, // notes would lie past 2038
        {"--alarms", "65536", "out"},
        {"--seed", "-1", "out"},
        {"--share", "5", "out"}, // only with --derive
        {"--derive", "from", "--share", "101", "out"},
        {"--derive", "from", "--years", "3", "out"}, // the set fixes its years
        {"--export", "out", "out"},
        {"--plant-share", "5", "out"}, // only with --plant
        {"--plant", "", "out"},
        {"--plant", "two\r\nlines", "out"},
        {"--plant", "x", "--plant-share", "-1", "out"},
        {"--derive", "from", "--plant", "x", "out"},
        {"--colour", "red", "out"},
        {"out", "--years"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const auto parsed = parseMakeDiaryArgs(args, kNow);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
        EXPECT_FALSE(std::get<std::string>(parsed).empty());
    }
}

} // namespace
} // namespace daylark::test
