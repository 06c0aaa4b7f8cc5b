#include "app/TrayMenu.h"

#include "alarms/CAlarmEntry.h"
#include "platform/LocalTime.h"
#include "platform/TimeText.h"

#include <algorithm>
#include <utility>

namespace daylark {

namespace {

/// The minute of the local day an alarm rings at: a recurring alarm's time keeps the date it
/// was set on, so only its clock time orders it among today's.
int minuteOfDay(const CAlarmEntry& entry)
{
    const TimeFields at = breakDown(entry.Time, /*greenwich=*/false);
    return at.hour * 60 + at.minute;
}

TrayMenu::Entry entryOf(TrayMenu::Entry::Kind kind,
                        TrayMenu::Command command = TrayMenu::Command::None)
{
    TrayMenu::Entry entry;
    entry.kind = kind;
    entry.command = command;
    return entry;
}

} // namespace

TrayMenu::TrayMenu(const DisplayFlags& flags)
    : m_flags(flags)
{}

std::vector<TrayMenu::Entry> TrayMenu::entries(const std::vector<CAlarmEntry>& todays,
                                               WindowView view) const
{
    std::vector<Entry> menu = alarmEntries(todays);
    menu.push_back(entryOf(Entry::Kind::Separator));
    menu.push_back(entryOf(Entry::Kind::Window,
                           view == WindowView::Shown ? Command::HideWindow : Command::ShowWindow));
    menu.push_back(entryOf(Entry::Kind::Quit, Command::Quit));
    return menu;
}

std::vector<TrayMenu::Entry> TrayMenu::alarmEntries(const std::vector<CAlarmEntry>& todays) const
{
    if (todays.empty()) {
        return {entryOf(Entry::Kind::NoAlarms)};
    }
    std::vector<const CAlarmEntry*> sorted;
    for (const CAlarmEntry& entry : todays) {
        sorted.push_back(&entry);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) {
        return minuteOfDay(*a) < minuteOfDay(*b);
    });
    std::size_t excess = sorted.size() > kMaxAlarms ? sorted.size() - kMaxAlarms : 0;
    const std::size_t hidden = excess;
    std::vector<Entry> menu;
    for (const CAlarmEntry* entry : sorted) {
        if (excess > 0 && entry->Announced != 0) {
            --excess;
            continue;
        }
        if (menu.size() == kMaxAlarms) {
            break;
        }
        Entry alarm = entryOf(Entry::Kind::Alarm, Command::ShowWindow);
        alarm.text = FormatAlarmTime(entry->Time, m_flags) + entry->Name;
        alarm.announced = entry->Announced != 0;
        menu.push_back(std::move(alarm));
    }
    if (hidden > 0) {
        Entry more = entryOf(Entry::Kind::More, Command::ShowWindow);
        more.hidden = hidden;
        menu.push_back(more);
    }
    return menu;
}

} // namespace daylark
