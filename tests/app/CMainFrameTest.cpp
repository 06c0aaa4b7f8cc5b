#include "app/CMainFrame.h"

#include "platform/Locations.h"
#include "platform/Profile.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

struct Frame
{
    TempDir dir;
    RecordingSink sink;
    Profile profile{dir.file("daylark.ini"), sink};
    Locations locations = Locations::resolve({dir.file("data"), {}, {}},
                                             [](const char*) -> const char* { return nullptr; });
    CMainFrame frame{profile, locations, sink};

    std::string value(const char* key) { return profile.readString("Settings", key, "(absent)"); }
};

TEST(CMainFrame, AFirstStartGivesTheDefaults)
{
    Frame f;
    const auto plan = f.frame.InitialShow(WindowPlacement::kShowNormal);
    EXPECT_FALSE(plan.placement);
    EXPECT_EQ(plan.showCommand, WindowPlacement::kShowNormal);
    EXPECT_FALSE(f.frame.menuShown());
    EXPECT_TRUE(f.frame.toolBarShown());
    EXPECT_EQ(f.frame.dockSide(), CMainFrame::DockSide::Top);
    EXPECT_FALSE(f.frame.displayFlags().use24HourClock);
    EXPECT_FALSE(f.frame.displayFlags().useGmt);
    EXPECT_EQ(f.frame.calendarPlacement(), WindowPlacement::calendarDefault());
    EXPECT_EQ(f.frame.colours(), CalendarColours{});
    EXPECT_EQ(f.frame.idleUpdate(), 80000);
    EXPECT_TRUE(f.sink.messages.empty());
}

TEST(CMainFrame, ProfileValuesAreReadByTheirRulesAndRoundTrip)
{
    Frame f;
    f.profile.writeString("Settings", "Menu", "oh yes");
    f.profile.writeString("Settings", "ToolBar", "no way");
    f.profile.writeString("Settings", "UseGMT", "YES"); // the test is case-sensitive
    f.profile.writeString("Settings", "UseUTC", "yes");
    f.profile.writeInt("Settings", "DockSide", 59420);
    f.profile.writeString("Settings", "WindowPos", "0,3, -1,-1,-8,-8,10,20,610,420 trailing");
    f.profile.writeString("Settings", "CalendarPos", "0,1,2,3,4,5,6,7,8"); // nine: ignored
    f.profile.writeInt("Settings", "IdleUpdate", 5);
    f.profile.writeInt("Settings", "ClrTodayHigh", 0x12);
    f.profile.writeInt("Settings", "ClrTodayLow", 0x3456);

    const auto plan = f.frame.InitialShow(WindowPlacement::kShowNormal);
    EXPECT_TRUE(f.frame.menuShown());
    EXPECT_FALSE(f.frame.toolBarShown());
    EXPECT_FALSE(f.frame.displayFlags().useGmt);
    EXPECT_TRUE(f.frame.displayFlags().use24HourClock);
    EXPECT_EQ(f.frame.dockSide(), CMainFrame::DockSide::Left);
    ASSERT_TRUE(plan.placement);
    EXPECT_EQ(plan.showCommand, 3u); // the saved command wins over a normal start
    EXPECT_EQ(plan.placement->left, 10);
    EXPECT_EQ(plan.placement->bottom, 420);
    EXPECT_EQ(f.frame.calendarPlacement(), WindowPlacement::calendarDefault());
    EXPECT_EQ(f.frame.idleUpdate(), 5000);
    EXPECT_EQ(f.frame.colours().today, 0x00123456u);

    WindowPlacement window = *plan.placement;
    window.right = 800;
    f.frame.SaveSettings(window, /*maximized=*/true, CMainFrame::DockSide::Floating);
    EXPECT_EQ(f.value("WindowPos"), "2,3,-1,-1,-8,-8,10,20,800,420");
    EXPECT_EQ(f.value("CalendarPos"), "0,3,400,400,-4,-4,0,0,512,440");
    EXPECT_EQ(f.value("IdleUpdate"), "5");
    EXPECT_EQ(f.value("DockSide"), "0");
    EXPECT_EQ(f.value("Menu"), "yes");
    EXPECT_EQ(f.value("ToolBar"), "no");
    EXPECT_EQ(f.value("ClrTodayHigh"), "18");
    EXPECT_EQ(f.value("ClrTodayLow"), "13398");
    EXPECT_EQ(f.value("ClrHolidayLow"), "32768");

    // A second run reads back what the first wrote; a floating toolbar docks at the top.
    CMainFrame again(f.profile, f.locations, f.sink);
    const auto next = again.InitialShow(WindowPlacement::kShowMaximized);
    EXPECT_EQ(next.showCommand, 3u);
    EXPECT_EQ(next.placement->flags, WindowPlacement::kRestoreToMaximized);
    EXPECT_EQ(again.dockSide(), CMainFrame::DockSide::Top);
    EXPECT_EQ(again.colours(), f.frame.colours());
}

TEST(CMainFrame, MenuAndToolbarAreNeverHiddenTogether)
{
    Frame f;
    f.frame.ToggleToolBar(); // no menu: the toolbar is the only way back to it
    EXPECT_TRUE(f.frame.toolBarShown());
    f.frame.ToggleMenu();
    f.frame.ToggleToolBar();
    EXPECT_TRUE(f.frame.menuShown());
    EXPECT_FALSE(f.frame.toolBarShown());
    f.frame.ToggleMenu(); // the menu is now the only way back to the toolbar
    EXPECT_TRUE(f.frame.menuShown());
    f.frame.ToggleToolBar();
    f.frame.ToggleMenu();
    EXPECT_FALSE(f.frame.menuShown());
    EXPECT_TRUE(f.frame.toolBarShown());
}

} // namespace
} // namespace daylark::test
