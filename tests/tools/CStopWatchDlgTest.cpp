#include "tools/CStopWatchDlg.h"

#include "diary/BufferPageText.h"
#include "support/SteppedClock.h"

#include <gtest/gtest.h>

namespace daylark {

using namespace std::chrono_literals;

namespace {

/// A monotonic reading means nothing on its own: the watch starts at an odd one.
constexpr std::chrono::nanoseconds kBoot = 123456789012345ns;

} // namespace

TEST(CStopWatchDlg, LapsAreNumberedAndMeasuredFromStartAndPreviousLap)
{
    test::SteppedClock clock(kBoot);
    CStopWatchDlg watch(clock, nullptr);
    watch.Start();
    clock.advance(30s);
    watch.Lap();
    clock.advance(15s);
    watch.Lap();
    clock.advance(20s);
    watch.Lap();
    EXPECT_EQ(watch.lines()[2], " 3) 00:01:05   00:00:20");
    EXPECT_EQ(watch.elapsedText(), "00:01:05");
    for (int lap = 4; lap <= 9; ++lap) {
        clock.advance(1s);
        watch.Lap();
    }
    clock.advance(1s);
    watch.Stop();
    EXPECT_FALSE(watch.running());
    ASSERT_EQ(watch.lines().size(), 10u);
    EXPECT_EQ(watch.lines()[8], " 9) 00:01:11   00:00:01");
    EXPECT_EQ(watch.lines()[9], "10) 00:01:12   00:00:01");

    // Start again begins a new list, timed from the new start.
    clock.advance(3s);
    watch.Start();
    EXPECT_TRUE(watch.lines().empty());
    EXPECT_TRUE(watch.running());
    clock.advance(2s);
    watch.Lap();
    EXPECT_EQ(watch.lines().back(), " 1) 00:00:02   00:00:02");
}

TEST(CStopWatchDlg, EachSpanIsCutToWholeSecondsOnceFromTheExactTimes)
{
    // Started 0.9 s into a second: whole seconds of the readings would make a lap of 1.3 s
    // read 2 s; differences of cut totals would make the laps of 0.6 s below read 1 s.
    test::SteppedClock clock(kBoot + 900ms);
    CStopWatchDlg watch(clock, nullptr);
    watch.Start();
    clock.advance(999ms);
    watch.Tick();
    EXPECT_EQ(watch.elapsedText(), "00:00:00"); // a second shows once it has passed
    clock.advance(1ms);
    watch.Tick();
    EXPECT_EQ(watch.elapsedText(), "00:00:01");
    const std::chrono::nanoseconds laps[] = {300ms, 400ms, 600ms, 600ms, 2900ms};
    for (const auto lap : laps) {
        clock.advance(lap);
        watch.Lap();
    }
    const std::vector<std::string> expected = {
        " 1) 00:00:01   00:00:01", // 1.3 s
        " 2) 00:00:01   00:00:00", // 1.7 s, lap 0.4 s
        " 3) 00:00:02   00:00:00", // 2.3 s, lap 0.6 s
        " 4) 00:00:02   00:00:00", // 2.9 s, lap 0.6 s
        " 5) 00:00:05   00:00:02", // 5.8 s, lap 2.9 s
    };
    EXPECT_EQ(watch.lines(), expected);
    EXPECT_EQ(watch.elapsedText(), "00:00:05");
}

TEST(CStopWatchDlg, ElapsedTextShowsHoursWithinADay)
{
    const struct
    {
        std::int64_t span;
        const char* text;
    } cases[] = {
        {3661, "01:01:01"},      {86399, "23:59:59"}, {86400, "00:00:00"},
        {25 * 3600, "01:00:00"}, {-5, "00:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.span);
        EXPECT_EQ(CStopWatchDlg::ElapsedText(c.span), c.text);
    }

    test::SteppedClock clock(kBoot);
    CStopWatchDlg watch(clock, nullptr);
    watch.Start();
    clock.advance(25h);
    watch.Tick();
    EXPECT_EQ(watch.elapsedText(), "01:00:00");
}

TEST(CStopWatchDlg, LapAndStopWorkOnlyWhileRunning)
{
    test::SteppedClock clock(kBoot);
    CStopWatchDlg watch(clock, nullptr);
    EXPECT_FALSE(watch.lapEnabled());
    EXPECT_FALSE(watch.stopEnabled());
    watch.Tick();
    watch.Lap();
    watch.Stop();
    EXPECT_TRUE(watch.lines().empty());
    EXPECT_EQ(watch.elapsedText(), "");
    EXPECT_FALSE(watch.running());

    watch.Start();
    EXPECT_TRUE(watch.lapEnabled());
    EXPECT_TRUE(watch.stopEnabled());
    clock.advance(4s);
    watch.Stop();
    EXPECT_FALSE(watch.lapEnabled());
    EXPECT_FALSE(watch.stopEnabled());

    // A stopped watch stands still: nothing more is recorded, and the list stays for Export.
    clock.advance(10s);
    watch.Lap();
    watch.Stop();
    EXPECT_EQ(watch.lines(), std::vector<std::string>{" 1) 00:00:04   00:00:04"});
    EXPECT_EQ(watch.elapsedText(), "00:00:04");
}

TEST(CStopWatchDlg, ExportAppendsEachLapOnANewLineAndLeavesOtherPagesAlone)
{
    test::SteppedClock clock(kBoot);
    BufferPageText page;
    page.setText("Monday\r\nmeeting");
    page.setSelection(0, 6);
    page.setModified(false);
    CStopWatchDlg watch(clock, &page);

    EXPECT_FALSE(watch.Export()); // empty list
    EXPECT_EQ(page.text(), "Monday\r\nmeeting");
    EXPECT_FALSE(page.modified());

    watch.Start();
    clock.advance(5s);
    watch.Lap();
    clock.advance(7s);
    watch.Stop();

    page.setReadOnly(true); // a filed day on show
    EXPECT_FALSE(watch.Export());
    EXPECT_FALSE(page.modified());
    page.setReadOnly(false);

    // The laps go at the end whatever is selected, and the selection is not replaced.
    EXPECT_TRUE(watch.Export());
    const std::string expected =
        "Monday\r\nmeeting\r\r\n 1) 00:00:05   00:00:05\r\r\n 2) 00:00:12   00:00:07";
    EXPECT_EQ(page.text(), expected);
    EXPECT_TRUE(page.modified());
    EXPECT_EQ(page.selection().start, expected.size());
    EXPECT_EQ(page.selection().end, expected.size());

    CStopWatchDlg noPage(clock, nullptr);
    noPage.Start();
    noPage.Lap();
    EXPECT_FALSE(noPage.Export());
}

} // namespace daylark
