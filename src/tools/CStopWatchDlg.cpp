#include "tools/CStopWatchDlg.h"

#include "diary/PageText.h"
#include "platform/MonotonicClock.h"

#include <cstdio>

namespace daylark {

namespace {

constexpr std::string_view kLineBreak = "\r\r\n";
constexpr std::int64_t kSecondsPerDay = 86400;

/// The whole seconds of a span, cut down: a second shows once it has passed, as on any stop
/// watch. Each span shown is cut once from the exact times; a lap taken as the difference of
/// two cut totals would read 2 s for a lap of 1.3 s.
std::int64_t wholeSeconds(std::chrono::nanoseconds span)
{
    return std::chrono::duration_cast<std::chrono::seconds>(span).count();
}

} // namespace

CStopWatchDlg::CStopWatchDlg(const MonotonicClock& clock, PageText* page)
    : m_clock(clock)
    , m_page(page)
{}

void CStopWatchDlg::Start()
{
    m_lines.clear();
    m_startTime = m_clock.now();
    m_lastLapTime = m_startTime;
    m_started = true;
    m_running = true;
}

void CStopWatchDlg::Tick()
{
    if (!m_started) {
        return;
    }
    m_elapsedText = ElapsedText(wholeSeconds(m_clock.now() - m_startTime));
}

void CStopWatchDlg::Lap()
{
    if (!m_running) {
        return;
    }
    appendLap();
}

void CStopWatchDlg::Stop()
{
    if (!m_running) {
        return;
    }
    appendLap();
    m_running = false;
}

bool CStopWatchDlg::Export()
{
    // A filed day on show is read-only: the laps belong on today's page, not into a text that
    // is thrown away (or mistaken for today's) when the view returns to today.
    if (m_page == nullptr || m_lines.empty() || m_page->readOnly()) {
        return false;
    }
    std::string text;
    for (const std::string& line : m_lines) {
        text += kLineBreak;
        text += line;
    }
    m_page->appendText(text);
    return true;
}

std::string CStopWatchDlg::ElapsedText(std::int64_t seconds)
{
    const std::int64_t withinDay = seconds < 0 ? 0 : seconds % kSecondsPerDay;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(withinDay / 3600),
                  static_cast<int>(withinDay / 60 % 60), static_cast<int>(withinDay % 60));
    return text;
}

std::string CStopWatchDlg::LapLine(std::size_t number, std::int64_t totalSeconds,
                                   std::int64_t lapSeconds)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%2zu) ", number);
    return prefix + ElapsedText(totalSeconds) + "   " + ElapsedText(lapSeconds);
}

void CStopWatchDlg::appendLap()
{
    const std::chrono::nanoseconds now = m_clock.now();
    const std::int64_t total = wholeSeconds(now - m_startTime);
    m_lines.push_back(LapLine(m_lines.size() + 1, total, wholeSeconds(now - m_lastLapTime)));
    m_elapsedText = ElapsedText(total);
    m_lastLapTime = now;
}

} // namespace daylark
