#include "app/DesktopPresence.h"

#include "platform/CalendarColours.h"
#include "platform/DisplayFlags.h"
#include "platform/Profile.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "tools/CSettingsDlg.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

/// Ticks or clears "Close to tray" as the settings dialog does on a desktop with a tray.
void setCloseToTray(Profile& profile, bool on)
{
    DisplayFlags flags;
    CalendarColours colours;
    CSettingsDlg settings(profile, flags, colours);
    settings.offerCloseToTray();
    settings.Open();
    settings.setCloseToTray(on);
    settings.OK();
}

TEST(DesktopPresence, OnlyTheCloseBoxHidesAndOnlyWithTheSettingAndATray)
{
    TempDir dir;
    RecordingSink sink;
    Profile profile(dir.file("daylark.ini"), sink);
    DesktopPresence presence(profile);
    presence.setTrayShown(true);
    EXPECT_FALSE(presence.hidesOnClose(CloseRequest::CloseBox)); // off until chosen

    setCloseToTray(profile, true);
    EXPECT_TRUE(presence.hidesOnClose(CloseRequest::CloseBox)); // read at the close, not before
    EXPECT_FALSE(presence.hidesOnClose(CloseRequest::Quit));    // Exit and Quit end the program
    presence.setTrayShown(false); // the tray host went: nothing to come back from
    EXPECT_FALSE(presence.hidesOnClose(CloseRequest::CloseBox));

    presence.setTrayShown(true);
    setCloseToTray(profile, false);
    EXPECT_FALSE(presence.hidesOnClose(CloseRequest::CloseBox));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(DesktopPresence, NoticeTextIsPlainWhateverItHolds)
{
    const struct
    {
        const char* text;
        const char* caption;
        const char* summary;
        const char* body;
    } cases[] = {
        {"10:00 Team meeting\n", "10:00 Alarm(s)", "10:00 Alarm(s)", "10:00 Team meeting"},
        {"09:00 Rent\n10:00 Tea & <cake>\n\n", "10:00 Alarm(s)", "10:00 Alarm(s)",
         "09:00 Rent\n10:00 Tea &amp; &lt;cake&gt;"},
        // Page line breaks (CR LF, CR CR LF, a CR alone) are one break each.
        {"a\r\nb\r\r\nc\rd\r\n", "", "Daylark", "a\nb\nc\nd"},
        {"&amp;", "x", "x", "&amp;amp;"}, // an entity already written is shown as typed
        {"", "", "Daylark", ""},
        {"caf\xE9", "\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9", "caf\xE9"}, // bytes pass unchanged
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DesktopNotice notice = DesktopPresence::desktopNotice(c.text, c.caption);
        EXPECT_EQ(notice.summary, c.summary);
        EXPECT_EQ(notice.body, c.body);
    }
}

} // namespace
} // namespace daylark::test
