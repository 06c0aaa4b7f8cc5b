#include "app/DesktopPresence.h"

#include "platform/MessageSink.h"
#include "tools/CSettingsDlg.h"

namespace daylark {

namespace {

/// CR LF, a CR alone and CR CR LF (as pages hold them) are each one line break.
std::string withLfBreaks(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        while (i + 1 < text.size() && text[i + 1] == '\r') {
            ++i;
        }
        if (i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        out += '\n';
    }
    return out;
}

std::string escapedMarkup(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

DesktopPresence::DesktopPresence(const Profile& profile)
    : m_profile(profile)
{}

bool DesktopPresence::hidesOnClose(CloseRequest request) const
{
    // Without a tray icon a hidden window could not be brought back.
    return request == CloseRequest::CloseBox && m_trayShown &&
           CSettingsDlg::closesToTray(m_profile);
}

NoticeWay DesktopPresence::noticeWay(WindowView view)
{
    return view == WindowView::Shown ? NoticeWay::StatusBar : NoticeWay::Desktop;
}

NoticeWay DesktopPresence::fallbackWay(WindowView view)
{
    return view == WindowView::Shown ? NoticeWay::StatusBar : NoticeWay::Box;
}

DesktopNotice DesktopPresence::desktopNotice(const std::string& text, const std::string& caption)
{
    std::string body = withLfBreaks(text);
    while (!body.empty() && body.back() == '\n') {
        body.pop_back();
    }
    return {caption.empty() ? std::string(MessageSink::kCaption) : caption, escapedMarkup(body)};
}

} // namespace daylark
