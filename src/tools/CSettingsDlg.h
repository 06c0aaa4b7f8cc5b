#pragma once

#include <cstdint>
#include <string_view>

namespace daylark {

class Autostart;
class MessageSink;
class Profile;
struct CalendarColours;
struct DisplayFlags;

/// The "Settings" dialog's logic: the four calendar colours, changed in place as soon as a
/// colour is chosen, and the two clock options, stored and applied only by OK.
class CSettingsDlg
{
public:
    static constexpr std::string_view kTitle = "Settings";

    enum class Colour {
        CurrentMonth,
        NotCurrentMonth,
        Today,
        Holiday,
    };

    /// Every argument must outlive the logic; `colours` are the caller's copies, changed in
    /// place.
    CSettingsDlg(Profile& profile, DisplayFlags& flags, CalendarColours& colours);

    /// Adds the box "Start Daylark when I log in", over the autostart entry; both must outlive
    /// the logic. Before Open.
    void offerAutostart(const Autostart& autostart, MessageSink& messages);
    /// Adds the box "Close to tray", for a desktop that shows the program's tray icon. Before
    /// Open.
    void offerCloseToTray() { m_offersCloseToTray = true; }
    /// Whether closing the main window hides it in the tray: the stored "Close to tray" box
    /// (off when absent).
    static bool closesToTray(const Profile& profile);

    /// Ticks each box whose profile value (UseGMT, UseUTC, SyncShared, CloseToTray) contains the
    /// letter "y", and the autostart box when the entry is there.
    void Open();

    void setUseGmt(bool on) { m_useGmt = on; }
    void setUse24HourClock(bool on) { m_use24HourClock = on; }
    void setStartAtLogin(bool on) { m_startAtLogin = on; }
    void setSyncShared(bool on) { m_syncShared = on; }
    void setCloseToTray(bool on) { m_closeToTray = on; }
    /// A colour chooser ended with OK: the colour is written at once (0x00BBGGRR).
    void ChooseColour(Colour which, std::uint32_t colour);
    /// Writes UseGMT, UseUTC and SyncShared ("yes" or "no") and sets the display flags to the
    /// boxes; writes or removes the autostart entry when its box changed; writes CloseToTray
    /// when that box is offered.
    void OK();

    bool useGmt() const { return m_useGmt; }
    bool use24HourClock() const { return m_use24HourClock; }
    bool offersAutostart() const { return m_autostart != nullptr; }
    bool startAtLogin() const { return m_startAtLogin; }
    /// "Synchronise with the shared folder at start, at close and after each change of day"
    /// (profile value SyncShared).
    bool syncShared() const { return m_syncShared; }
    /// Whether the profile sets the synchronisation with the shared folder.
    static bool SyncSharedSet(const Profile& profile);
    bool offersCloseToTray() const { return m_offersCloseToTray; }
    bool closeToTray() const { return m_closeToTray; }
    /// The colour as it stands (0x00BBGGRR): its button shows it, and its colour chooser starts
    /// from it.
    std::uint32_t colour(Colour which) const;

private:
    std::uint32_t& colourRef(Colour which) const;

    Profile& m_profile;
    DisplayFlags& m_flags;
    CalendarColours& m_colours;
    bool m_useGmt = false;
    bool m_use24HourClock = false;
    const Autostart* m_autostart = nullptr;
    MessageSink* m_messages = nullptr;
    bool m_startAtLogin = false;
    bool m_syncShared = false;
    bool m_offersCloseToTray = false;
    bool m_closeToTray = false;
};

} // namespace daylark
