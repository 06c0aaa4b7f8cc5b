#include "tools/CStopWatchDlg.h"

#include "diary/PageText.h"
#include "platform/Clock.h"

#include <cstdio>

namespace daylark {

namespace {

constexpr std::string_view kLineBreak = "\r\r\n";
constexpr std::int64_t kSecondsPerDay = 86400;

} // namespace

CStopWatchDlg::CStopWatchDlg(const Clock& clock, PageText* page)
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
    m_elapsedText = ElapsedText(m_clock.now() - m_startTime);
}

void CStopWatchDlg::Lap()
{
    if (!m_started) {
        return;
    }
    appendLap();
}

void CStopWatchDlg::Stop()
{
    if (!m_started) {
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
    std::string text = m_page->text();
    for (const std::string& line : m_lines) {
        text += kLineBreak;
        text += line;
    }
    m_page->setText(text);
    m_page->setSelection(text.size(), text.size());
    return true;
}

std::string CStopWatchDlg::ElapsedText(std::int64_t span)
{
    const std::int64_t withinDay = span < 0 ? 0 : span % kSecondsPerDay;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(withinDay / 3600),
                  static_cast<int>(withinDay / 60 % 60), static_cast<int>(withinDay % 60));
    return text;
}

std::string CStopWatchDlg::LapLine(std::size_t number, std::int64_t total, std::int64_t lap)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%2zu) ", number);
    return prefix + ElapsedText(total) + "   " + ElapsedText(lap);
}

void CStopWatchDlg::appendLap()
{
    const std::int64_t now = m_clock.now();
    m_lines.push_back(LapLine(m_lines.size() + 1, now - m_startTime, now - m_lastLapTime));
    m_elapsedText = ElapsedText(now - m_startTime);
    m_lastLapTime = now;
}

} // namespace daylark
