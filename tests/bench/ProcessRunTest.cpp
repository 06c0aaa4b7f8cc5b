#include "bench/ProcessRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace daylark::test {
namespace {

using bench::ProcessRun;
using bench::runProcess;

TEST(ProcessRun, OutputNeverGoesToDevNullAndTheMarkerLineIsTimed)
{
    // grep stops at each file's first match when its output is /dev/null: a benchmark must not
    // give it that shortcut, with or without a marker awaited.
    for (const std::string marker : {"", "shown"}) {
        SCOPED_TRACE("marker '" + marker + "'");
        ProcessRun run;
        ASSERT_TRUE(runProcess({"sh", "-c", "[ ! /dev/stdout -ef /dev/null ]"}, run, marker));
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.markerMs, -1);
    }

    // Only a whole line equal to the marker counts, and it may be split over writes.
    ProcessRun run;
    ASSERT_TRUE(runProcess(
        {"sh", "-c", "echo not shown; printf sho; sleep 0.1; printf 'wn\\nmore\\n'; exit 3"}, run,
        "shown"));
    EXPECT_EQ(run.status, 3);
    EXPECT_GE(run.markerMs, 0);
    EXPECT_LE(run.markerMs, run.wallMs);

    ProcessRun partial;
    ASSERT_TRUE(runProcess({"sh", "-c", "printf 'shown already\\nshown'"}, partial, "shown"));
    EXPECT_EQ(partial.markerMs, -1) << "a last line without its break is not whole";
}

TEST(ProcessRun, SummaryKeepsEveryTimeAndTheLargestPeakAndRead)
{
    const std::vector<ProcessRun> runs = {{10, 4, 3000, 100, 0, 7}, {12, 5, 2000, 900, 0, 9}};
    const bench::RunSummary summary = bench::summarize(runs);
    EXPECT_EQ(summary.wallMs, (std::vector<double>{10, 12}));
    EXPECT_EQ(summary.cpuMs, (std::vector<double>{4, 5}));
    EXPECT_EQ(summary.markerMs, (std::vector<double>{7, 9}));
    EXPECT_EQ(summary.peakKb, 3000);
    EXPECT_EQ(summary.bytesRead, 900);
    EXPECT_EQ(bench::median(summary.wallMs), 11);
}

} // namespace
} // namespace daylark::test
