#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

class MonotonicClock;
class PageText;

/// The stop watch window's logic: measures whole seconds from Start, records numbered laps and
/// appends them to the page it was opened over. The view runs a one-second timer while
/// running() is true and calls Tick from it.
///
/// Time comes from a monotonic clock, so setting the system clock while the watch runs does
/// not change what it measures.
class CStopWatchDlg
{
public:
    static constexpr std::string_view kTitle = "Stop Watch";
    static constexpr int kTickMs = 1000;

    /// `clock` and `page` must outlive the logic; `page` is the page view open when the window
    /// opened, or null when there was none (Export then does nothing).
    CStopWatchDlg(const MonotonicClock& clock, PageText* page);

    /// Empties the list and starts timing from now.
    void Start();
    /// Shows the time since Start. Does nothing before the first Start.
    void Tick();
    /// Appends a lap line and shows the total time. Only while running: before Start there is
    /// nothing to measure from, and after Stop the watch stands still.
    void Lap();
    /// Appends a lap line and stops the ticking. Only while running.
    void Stop();
    /// Appends every lap line to the page, each on a new line, as one edit the user can undo,
    /// and puts the caret at the end. An empty list, a missing page and a read-only page (a
    /// filed day on show) are left alone. True when the page changed.
    bool Export();

    /// "%H:%M:%S" of a span of whole seconds: hours within a day, whole days not shown. A
    /// negative span reads as zero.
    static std::string ElapsedText(std::int64_t seconds);
    /// The line of lap `number`: " 3) 00:01:05   00:00:20".
    static std::string LapLine(std::size_t number, std::int64_t totalSeconds,
                               std::int64_t lapSeconds);

    const std::vector<std::string>& lines() const { return m_lines; }
    const std::string& elapsedText() const { return m_elapsedText; }
    /// True from Start to Stop: the view's timer runs meanwhile.
    bool running() const { return m_running; }
    bool lapEnabled() const { return m_running; }
    bool stopEnabled() const { return m_running; }

private:
    void appendLap();

    const MonotonicClock& m_clock;
    PageText* m_page;
    std::vector<std::string> m_lines;
    std::string m_elapsedText;
    std::chrono::nanoseconds m_startTime{};
    std::chrono::nanoseconds m_lastLapTime{};
    bool m_started = false;
    bool m_running = false;
};

} // namespace daylark
