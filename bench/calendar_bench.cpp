// Times one refresh of the month calendar over an alarm file of 1,000 alarms: the calendar
// dialog's refresh (its alarm entries rebuilt for the displayed month, this month), then the
// contents of all 42 day cells, as the window paints them after every move.
// The alarms are make-diary's mix of every frequency: recurring ones first dated over the last
// ten years, birthdays from 1962 on, one-time ones over the coming year, nine in ten visible on
// the calendar. They are saved to a daylark.alm where a data directory keeps it and loaded
// back, so the refresh works on the records a load gives.

#include "alarms/CAlarmFile.h"
#include "bench/DataSet.h"
#include "bench/ProcessRun.h"
#include "bench/StderrMessages.h"
#include "calendar/CCalendarDlg.h"
#include "platform/CalendarColours.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/MessageSink.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

using daylark::bench::median;

namespace {

using namespace daylark;
namespace fs = std::filesystem;

constexpr int kAlarms = 1000;
constexpr int kRuns = 200;
constexpr int kWarmup = 5;

/// "once 312, daily 74, ...": how many alarms of each frequency the file holds.
std::string frequencyMix(const CAlarmFile::List& alarms)
{
    static const std::map<Frequency, const char*> kNames = {
        {Frequency::Once, "once"},        {Frequency::Daily, "daily"},
        {Frequency::Weekly, "weekly"},    {Frequency::Biweekly, "biweekly"},
        {Frequency::Monthly, "monthly"},  {Frequency::Yearly, "yearly"},
        {Frequency::Birthday, "birthday"}};
    std::map<Frequency, int> counts;
    int visible = 0;
    for (const auto& alarm : alarms) {
        ++counts[static_cast<Frequency>(alarm->Frequency)];
        visible += alarm->VisibleOnCalendar != 0 ? 1 : 0;
    }
    std::string mix;
    for (const auto& [frequency, count] : counts) {
        const auto name = kNames.find(frequency);
        mix += name != kNames.end() ? name->second : "unknown";
        mix += ' ' + std::to_string(count) + ", ";
    }
    return mix + std::to_string(visible) + " visible on the calendar";
}

/// Saves the alarms through the alarm file, as the program writes them.
bool saveAlarms(const std::string& path, const std::vector<CDaylarkAlarm>& alarms,
                MessageSink& messages)
{
    CAlarmFile file(path, messages);
    for (const CDaylarkAlarm& alarm : alarms) {
        file.add(std::make_unique<CDaylarkAlarm>(alarm));
    }
    const bool saved = file.Save() == 0;
    file.Empty();
    return saved;
}

/// Refreshes the month kWarmup + kRuns times and gives the times of the last kRuns, in
/// milliseconds; `names` is set to how many alarm names the cells show.
std::vector<double> timeRefreshes(CCalendarDlg& calendar, std::size_t& names)
{
    std::array<CalendarCell, monthgrid::kCells> cells;
    std::vector<double> millis;
    for (int run = 0; run < kWarmup + kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        calendar.Refresh();
        for (int i = 0; i < monthgrid::kCells; ++i) {
            cells[static_cast<std::size_t>(i)] = calendar.cell(i);
        }
        const auto end = std::chrono::steady_clock::now();
        if (run >= kWarmup) {
            millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    names = 0;
    for (const CalendarCell& cell : cells) {
        names += cell.alarmNames.size();
    }
    return millis;
}

} // namespace

int main()
{
    const std::int64_t now = SystemClock().now();
    const fs::path work = fs::temp_directory_path() / "daylark-calendar-bench";
    fs::remove_all(work);
    fs::create_directories(work);
    const auto noEnvironment = [](const char*) -> const char* { return nullptr; };
    const Locations locations = Locations::resolve(
        {work.string(), (work / "daylark.ini").string(), std::nullopt}, noEnvironment);
    const std::string path = locations.alarmPath();

    bench::GenerateOptions options;
    options.now = now;
    options.alarms = kAlarms;
    bench::StderrMessages messages;
    if (!saveAlarms(path, bench::generateAlarms(options), messages)) {
        return 1;
    }
    const auto fileSize = fs::file_size(path);
    CAlarmFile alarms(path, messages);
    if (alarms.Load() != 0 || alarms.records().size() != kAlarms) {
        std::cerr << "calendar_bench: " << path << " did not read back as written\n";
        return 1;
    }

    CalendarColours colours;
    WindowPlacement placement = WindowPlacement::calendarDefault();
    const SystemClock clock;
    CCalendarDlg calendar(alarms, colours, placement, clock);
    calendar.Open();
    std::size_t names = 0;
    const std::vector<double> millis = timeRefreshes(calendar, names);
    const std::string mix = frequencyMix(alarms.records());
    alarms.Empty();
    fs::remove_all(work);
    if (messages.failures > 0) {
        return 1;
    }
    // A month that shows no alarm would time an empty loop, not the calendar.
    if (names == 0) {
        std::cerr << "calendar_bench: the month shows no alarm; nothing was measured\n";
        return 1;
    }

    const std::string label = "calendar refresh: " + std::to_string(kAlarms) + " alarms";
    std::printf("calendar_bench: %d alarms in %.1f KB (%s)\n", kAlarms, fileSize / 1024.0,
                mix.c_str());
    std::printf("calendar_bench: %s %d: %zu alarm entries, %zu alarm names in the %d cells; %d "
                "refreshes: median %.2f ms (fastest %.2f, slowest %.2f)\n",
                longMonthName(calendar.displayedMonth()), calendar.displayedYear(),
                calendar.alarmEntryCount(), names, monthgrid::kCells, kRuns, median(millis),
                *std::min_element(millis.begin(), millis.end()),
                *std::max_element(millis.begin(), millis.end()));
    std::printf("figure\t%s\ttime (median of %d, in process)\t%.2f ms\n", label.c_str(), kRuns,
                median(millis));
    std::printf("figure\t%s\talarm entries of the month / names in its 42 cells\t%zu / %zu\n",
                label.c_str(), calendar.alarmEntryCount(), names);
    return 0;
}
