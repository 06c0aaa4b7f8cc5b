#include "tools/CSettingsDlg.h"

#include "platform/Autostart.h"
#include "platform/CalendarColours.h"
#include "platform/DisplayFlags.h"
#include "platform/Profile.h"

#include <string>

namespace daylark {

namespace {

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kUseGmt = "UseGMT";
constexpr std::string_view kUseUtc = "UseUTC"; // holds the 24-hour clock choice
constexpr std::string_view kSyncShared = "SyncShared";
constexpr std::string_view kCloseToTray = "CloseToTray";

/// The dialog's own rule; the main window looks for "yes" at start-up. For the values written
/// here both rules agree.
bool ticked(const Profile& profile, std::string_view key)
{
    return profile.readString(kSection, key, "").find('y') != std::string::npos;
}

std::string_view yesNo(bool on)
{
    return on ? "yes" : "no";
}

} // namespace

CSettingsDlg::CSettingsDlg(Profile& profile, DisplayFlags& flags, CalendarColours& colours)
    : m_profile(profile)
    , m_flags(flags)
    , m_colours(colours)
{}

void CSettingsDlg::offerAutostart(const Autostart& autostart, MessageSink& messages)
{
    m_autostart = &autostart;
    m_messages = &messages;
}

void CSettingsDlg::Open()
{
    m_useGmt = ticked(m_profile, kUseGmt);
    m_use24HourClock = ticked(m_profile, kUseUtc);
    m_syncShared = ticked(m_profile, kSyncShared);
    m_startAtLogin = m_autostart != nullptr && m_autostart->enabled();
    m_closeToTray = closesToTray(m_profile);
}

bool CSettingsDlg::closesToTray(const Profile& profile)
{
    return ticked(profile, kCloseToTray);
}

void CSettingsDlg::ChooseColour(Colour which, std::uint32_t colour)
{
    colourRef(which) = colour & 0x00FFFFFF;
}

void CSettingsDlg::OK()
{
    m_profile.writeString(kSection, kUseGmt, yesNo(m_useGmt));
    m_profile.writeString(kSection, kUseUtc, yesNo(m_use24HourClock));
    m_profile.writeString(kSection, kSyncShared, yesNo(m_syncShared));
    m_flags.useGmt = m_useGmt;
    m_flags.use24HourClock = m_use24HourClock;
    if (m_autostart != nullptr && m_startAtLogin != m_autostart->enabled()) {
        m_autostart->set(m_startAtLogin, *m_messages);
    }
    // Where no tray shows the box, the choice made on a desktop with one stays as it was.
    if (m_offersCloseToTray) {
        m_profile.writeString(kSection, kCloseToTray, yesNo(m_closeToTray));
    }
}

bool CSettingsDlg::SyncSharedSet(const Profile& profile)
{
    return ticked(profile, kSyncShared);
}

std::uint32_t CSettingsDlg::colour(Colour which) const
{
    return colourRef(which);
}

std::uint32_t& CSettingsDlg::colourRef(Colour which) const
{
    switch (which) {
    case Colour::CurrentMonth:
        return m_colours.currentMonth;
    case Colour::NotCurrentMonth:
        return m_colours.notCurrentMonth;
    case Colour::Today:
        return m_colours.today;
    case Colour::Holiday:
        break;
    }
    return m_colours.holiday;
}

} // namespace daylark
