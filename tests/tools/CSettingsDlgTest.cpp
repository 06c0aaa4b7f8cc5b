#include "tools/CSettingsDlg.h"

#include "platform/Autostart.h"
#include "platform/CalendarColours.h"
#include "platform/DisplayFlags.h"
#include "platform/Profile.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace daylark {

TEST(CSettingsDlg, BoxesFollowTheLetterYAndOkStoresAndAppliesThem)
{
    const struct
    {
        const char* stored; ///< nullptr: absent
        bool ticked;
    } cases[] = {
        {nullptr, false}, {"", false}, {"no", false}, {"Y", false}, {"y", true}, {"yes", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored == nullptr ? "(absent)" : c.stored);
        test::TempDir dir;
        test::RecordingSink sink;
        Profile profile(dir.file("daylark.ini"), sink);
        if (c.stored != nullptr) {
            profile.writeString("Settings", "UseGMT", c.stored);
            profile.writeString("Settings", "UseUTC", c.stored);
        }
        DisplayFlags flags{.use24HourClock = !c.ticked, .useGmt = !c.ticked};
        CalendarColours colours;
        CSettingsDlg dlg(profile, flags, colours);
        dlg.Open();
        EXPECT_EQ(dlg.useGmt(), c.ticked);
        EXPECT_EQ(dlg.use24HourClock(), c.ticked);

        dlg.OK();
        const char* written = c.ticked ? "yes" : "no";
        EXPECT_EQ(profile.readString("Settings", "UseGMT", "?"), written);
        EXPECT_EQ(profile.readString("Settings", "UseUTC", "?"), written);
        EXPECT_EQ(flags.useGmt, c.ticked);
        EXPECT_EQ(flags.use24HourClock, c.ticked);
        EXPECT_TRUE(sink.messages.empty());
    }
}

TEST(CSettingsDlg, ChosenColourChangesAtOnceAndEachButtonItsOwn)
{
    test::TempDir dir;
    test::RecordingSink sink;
    Profile profile(dir.file("daylark.ini"), sink);
    DisplayFlags flags;
    CalendarColours colours;
    CSettingsDlg dlg(profile, flags, colours);
    dlg.Open();
    dlg.setUseGmt(true);

    dlg.ChooseColour(CSettingsDlg::Colour::CurrentMonth, 0x000000FF);
    dlg.ChooseColour(CSettingsDlg::Colour::NotCurrentMonth, 0x0000FF00);
    dlg.ChooseColour(CSettingsDlg::Colour::Today, 0x00FF0000);
    dlg.ChooseColour(CSettingsDlg::Colour::Holiday, 0xFF123456);
    // No OK: the colours are the caller's already, the clock options are not stored.
    EXPECT_EQ(colours, (CalendarColours{0x000000FF, 0x0000FF00, 0x00FF0000, 0x00123456}));
    EXPECT_FALSE(flags.useGmt);
    EXPECT_EQ(profile.readString("Settings", "UseGMT", "absent"), "absent");
}

TEST(CSettingsDlg, TheLoginBoxWritesAndRemovesTheAutostartEntryOnOkOnly)
{
    test::TempDir dir;
    test::RecordingSink sink;
    Profile profile(dir.file("daylark.ini"), sink);
    DisplayFlags flags;
    CalendarColours colours;
    const Autostart autostart(dir.file("autostart/daylark.desktop"), "/usr/bin/daylark");
    const auto opened = [&] {
        auto dlg = std::make_unique<CSettingsDlg>(profile, flags, colours);
        dlg->offerAutostart(autostart, sink);
        dlg->Open();
        return dlg;
    };
    auto dlg = opened();
    EXPECT_TRUE(dlg->offersAutostart());
    EXPECT_FALSE(dlg->startAtLogin());
    dlg->setStartAtLogin(true);
    EXPECT_FALSE(autostart.enabled()); // not before OK
    dlg->OK();
    EXPECT_TRUE(autostart.enabled());

    dlg = opened();
    EXPECT_TRUE(dlg->startAtLogin());
    dlg->setStartAtLogin(false);
    dlg->OK();
    EXPECT_FALSE(autostart.enabled());
    EXPECT_TRUE(sink.messages.empty());

    // Without an offer there is no box.
    EXPECT_FALSE(CSettingsDlg(profile, flags, colours).offersAutostart());
}

TEST(CSettingsDlg, TheTrayBoxIsStoredOnlyWhereATrayOffersIt)
{
    test::TempDir dir;
    test::RecordingSink sink;
    Profile profile(dir.file("daylark.ini"), sink);
    DisplayFlags flags;
    CalendarColours colours;
    EXPECT_FALSE(CSettingsDlg::closesToTray(profile)); // off by default

    CSettingsDlg offered(profile, flags, colours);
    offered.offerCloseToTray();
    offered.Open();
    EXPECT_TRUE(offered.offersCloseToTray());
    EXPECT_FALSE(offered.closeToTray());
    offered.setCloseToTray(true);
    EXPECT_FALSE(CSettingsDlg::closesToTray(profile)); // not before OK
    offered.OK();
    EXPECT_TRUE(CSettingsDlg::closesToTray(profile));

    // Without a tray the box is not there, and OK leaves the stored choice alone.
    CSettingsDlg bare(profile, flags, colours);
    bare.Open();
    EXPECT_FALSE(bare.offersCloseToTray());
    bare.setUseGmt(true);
    bare.OK();
    EXPECT_TRUE(CSettingsDlg::closesToTray(profile));

    CSettingsDlg again(profile, flags, colours);
    again.offerCloseToTray();
    again.Open();
    EXPECT_TRUE(again.closeToTray()); // the stored choice ticks the box
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace daylark
