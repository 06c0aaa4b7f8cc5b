#pragma once

#include "app/DesktopPresence.h"

#include <cstddef>
#include <string>
#include <vector>

namespace daylark {

struct CAlarmEntry;
struct DisplayFlags;

/// The tray icon's menu: today's alarms in the order of their time of day, the command that
/// shows or hides the main window, and Quit. Built again each time the menu opens, so it shows
/// the alarms and the window as they are then.
class TrayMenu
{
public:
    /// What choosing an entry does.
    enum class Command { None, ShowWindow, HideWindow, Quit };

    struct Entry
    {
        enum class Kind {
            Alarm,     ///< `text` is the alarm's time and name, as its announcement shows them
            NoAlarms,  ///< today has none
            More,      ///< `hidden` alarms did not fit
            Separator, ///< a line between the groups
            Window,    ///< Show or Hide, by `command`
            Quit,
        };
        Kind kind = Kind::Separator;
        Command command = Command::None;
        std::string text;
        bool announced = false; ///< an alarm announced already today
        std::size_t hidden = 0;
    };

    /// A menu taller than this many alarms would not fit a small screen.
    static constexpr std::size_t kMaxAlarms = 12;

    /// `flags` (borrowed) format the times as the announcements do.
    explicit TrayMenu(const DisplayFlags& flags);

    /// The entries for today's alarms `todays` (in any order) and the window's `view`. With more
    /// alarms than fit, the earliest ones announced already give way first: what is still to
    /// come matters most. Choosing an alarm brings the window forward.
    std::vector<Entry> entries(const std::vector<CAlarmEntry>& todays, WindowView view) const;

private:
    std::vector<Entry> alarmEntries(const std::vector<CAlarmEntry>& todays) const;

    const DisplayFlags& m_flags;
};

} // namespace daylark
