#include "app/CMainFrame.h"

#include "alarms/AlarmSchedule.h"
#include "alarms/CAlarmDlg.h"
#include "calendar/CCalendarDlg.h"
#include "diary/CDaylarkDoc.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/MessageSink.h"
#include "platform/Profile.h"
#include "platform/TimeText.h"

namespace daylark {

namespace {

constexpr const char* kSection = "Settings";

/// The profile's yes/no values are read by a case-sensitive substring test.
bool contains(const std::string& value, const char* word)
{
    return value.find(word) != std::string::npos;
}

CMainFrame::DockSide dockSideFrom(int value)
{
    using DockSide = CMainFrame::DockSide;
    for (const DockSide side : {DockSide::Top, DockSide::Bottom, DockSide::Left, DockSide::Right}) {
        if (value == static_cast<int>(side)) {
            return side;
        }
    }
    return DockSide::Top; // 0 (floating when saved) and unknown values dock at the top
}

} // namespace

CMainFrame::CMainFrame(Profile& profile, const Locations& locations, MessageSink& messages)
    : m_profile(profile)
    , m_messages(messages)
    , m_alarmFile(locations.alarmPath(), messages)
    , m_listsFile(locations.listsPath(), messages)
{}

CMainFrame::ShowPlan CMainFrame::InitialShow(std::uint32_t showCommand,
                                             const std::function<void(const ShowPlan&)>& show)
{
    if (contains(m_profile.readString(kSection, "Menu", ""), "yes")) {
        ToggleMenu();
    }
    if (contains(m_profile.readString(kSection, "ToolBar", ""), "no")) {
        ToggleToolBar();
    }
    m_flags = ReadDisplayFlags(m_profile);
    m_dockSide =
        dockSideFrom(m_profile.readInt(kSection, "DockSide", static_cast<int>(DockSide::Top)));

    ShowPlan plan;
    plan.showCommand = showCommand;
    if (auto placement = WindowPlacement::parse(m_profile.readString(kSection, "WindowPos", ""))) {
        if (showCommand != WindowPlacement::kShowNormal) {
            placement->showCommand = showCommand;
        }
        plan.showCommand = placement->showCommand;
        plan.placement = placement;
    }
    if (auto calendar = WindowPlacement::parse(m_profile.readString(kSection, "CalendarPos", ""))) {
        m_calendarPlacement = *calendar;
    }
    m_idleUpdate = m_profile.readInt(kSection, "IdleUpdate", kDefaultIdleUpdate / 1000) * 1000;
    m_colours.read(m_profile);
    if (show) {
        show(plan);
    }
    // Also on a first start without a saved placement: today's alarms must be collected for
    // them to be announced today.
    if (m_doc != nullptr) {
        m_doc->InitialDayCheck();
        m_pageDay = localDayNumber(m_doc->pageDate());
    }
    return plan;
}

DisplayFlags CMainFrame::ReadDisplayFlags(const Profile& profile)
{
    DisplayFlags flags;
    flags.useGmt = contains(profile.readString(kSection, "UseGMT", ""), "yes");
    flags.use24HourClock = contains(profile.readString(kSection, "UseUTC", ""), "yes");
    return flags;
}

std::string CMainFrame::ClockText(std::int64_t now) const
{
    return daylark::ClockText(now, m_flags);
}

bool CMainFrame::ClockTick(bool announce)
{
    if (m_doc == nullptr) {
        return false;
    }
    m_doc->CheckDay();
    if (announce) {
        m_doc->CheckDueAlarms();
    }
    const long day = localDayNumber(m_doc->pageDate());
    const bool moved = m_pageDay && *m_pageDay != day;
    m_pageDay = day;
    return moved;
}

void CMainFrame::IdleSave()
{
    if (m_doc != nullptr) {
        m_doc->SaveModified();
    }
}

void CMainFrame::Calendar(const std::function<void(CCalendarDlg&)>& calendar)
{
    if (m_doc == nullptr) {
        return;
    }
    m_alarmFile.Load();
    m_alarmFile.setChanged(false);
    CCalendarDlg dialog(m_alarmFile, m_colours, m_calendarPlacement, m_doc->clock());
    calendar(dialog);
    if (m_alarmFile.changed()) {
        m_alarmFile.Save();
    }
    m_alarmFile.Empty();
}

void CMainFrame::Alarms(std::int64_t day, const std::function<void(CAlarmDlg&)>& dialog)
{
    if (m_doc == nullptr || m_doc->alarmSchedule() == nullptr) {
        return;
    }
    // The dialog's lines point at alarms that a change of day could take out of the list.
    m_doc->holdDayChange();
    m_alarmFile.Load();
    m_alarmFile.setChanged(false);
    CAlarmDlg alarms(m_alarmFile, *m_doc->alarmSchedule(), m_doc->clock(), m_flags, m_messages);
    alarms.Open(day);
    dialog(alarms);
    if (m_alarmFile.changed()) {
        m_alarmFile.Save();
    }
    m_alarmFile.Empty();
    m_doc->releaseDayChange();
}

void CMainFrame::ToggleMenu()
{
    if (!m_menuShown) {
        m_menuShown = true;
    } else if (m_toolBarShown) {
        m_menuShown = false;
    }
}

void CMainFrame::ToggleToolBar()
{
    if (!m_toolBarShown) {
        m_toolBarShown = true;
    } else if (m_menuShown) {
        m_toolBarShown = false;
    }
}

void CMainFrame::SaveSettings(const WindowPlacement& window, bool maximized, DockSide dockSide)
{
    WindowPlacement saved = window;
    saved.flags = maximized ? WindowPlacement::kRestoreToMaximized : 0;
    // Two replacements of the settings file, not one a value: the session's end and a signal
    // give the program little time.
    Profile::Values values = {{"WindowPos", saved.format()},
                              {"CalendarPos", m_calendarPlacement.format()},
                              {"IdleUpdate", std::to_string(m_idleUpdate / 1000)}};
    for (auto& half : m_colours.values()) {
        values.push_back(std::move(half));
    }
    m_profile.writeStrings(kSection, values);
    if (m_doc != nullptr) {
        m_doc->CheckDayFile(/*merge=*/false);
    }
    m_dockSide = dockSide;
    m_profile.writeStrings(kSection, {{"DockSide", std::to_string(static_cast<int>(dockSide))},
                                      {"Menu", m_menuShown ? "yes" : "no"},
                                      {"ToolBar", m_toolBarShown ? "yes" : "no"}});
    if (m_menuShown) {
        m_menuShown = false;
    }
}

bool CMainFrame::CloseUnsaved(const std::string& failure)
{
    const std::string question =
        "Today's page could not be saved:\n\n" + failure +
        "\n\nClose Daylark anyway? What you wrote since the last save will be lost.";
    return m_messages.ask(question, MessageSink::kCaption, MessageIcon::Exclamation,
                          MessageButtons::YesNoCancel) == MessageAnswer::Yes;
}

} // namespace daylark
