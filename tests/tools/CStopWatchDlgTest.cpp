#include "tools/CStopWatchDlg.h"

#include "diary/BufferPageText.h"
#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace daylark {

namespace {

constexpr std::int64_t kStart = 852300000;

} // namespace

TEST(CStopWatchDlg, LapsAreNumberedAndMeasuredFromStartAndPreviousLap)
{
    test::FixedClock clock(kStart);
    CStopWatchDlg watch(clock, nullptr);
    watch.Start();
    clock.advance(30);
    watch.Lap();
    clock.advance(15);
    watch.Lap();
    clock.advance(20);
    watch.Lap();
    EXPECT_EQ(watch.lines()[2], " 3) 00:01:05   00:00:20");
    EXPECT_EQ(watch.elapsedText(), "00:01:05");
    for (int lap = 4; lap <= 9; ++lap) {
        clock.advance(1);
        watch.Lap();
    }
    clock.advance(1);
    watch.Stop();
    EXPECT_FALSE(watch.running());
    ASSERT_EQ(watch.lines().size(), 10u);
    EXPECT_EQ(watch.lines()[8], " 9) 00:01:11   00:00:01");
    EXPECT_EQ(watch.lines()[9], "10) 00:01:12   00:00:01");

    // A lap after Stop still counts from the same start; Start again begins a new list.
    clock.advance(3);
    watch.Lap();
    EXPECT_EQ(watch.lines().back(), "11) 00:01:15   00:00:03");
    watch.Start();
    EXPECT_TRUE(watch.lines().empty());
    EXPECT_TRUE(watch.running());
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

    test::FixedClock clock(kStart);
    CStopWatchDlg watch(clock, nullptr);
    watch.Start();
    clock.advance(25 * 3600);
    watch.Tick();
    EXPECT_EQ(watch.elapsedText(), "01:00:00");
}

TEST(CStopWatchDlg, NothingIsRecordedBeforeTheFirstStart)
{
    test::FixedClock clock(kStart);
    CStopWatchDlg watch(clock, nullptr);
    watch.Tick();
    watch.Lap();
    watch.Stop();
    EXPECT_TRUE(watch.lines().empty());
    EXPECT_EQ(watch.elapsedText(), "");
    EXPECT_FALSE(watch.running());
}

TEST(CStopWatchDlg, ExportAppendsEachLapOnANewLineAndLeavesOtherPagesAlone)
{
    test::FixedClock clock(kStart);
    BufferPageText page;
    page.setText("Monday\r\nmeeting");
    page.setModified(false);
    CStopWatchDlg watch(clock, &page);

    EXPECT_FALSE(watch.Export()); // empty list
    EXPECT_EQ(page.text(), "Monday\r\nmeeting");
    EXPECT_FALSE(page.modified());

    watch.Start();
    clock.advance(5);
    watch.Lap();
    clock.advance(7);
    watch.Stop();

    page.setReadOnly(true); // a filed day on show
    EXPECT_FALSE(watch.Export());
    EXPECT_FALSE(page.modified());
    page.setReadOnly(false);

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
