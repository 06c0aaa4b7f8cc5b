#include "app/QuietRetrySink.h"

namespace daylark {

MessageAnswer QuietRetrySink::ask(const std::string& text, const std::string& caption,
                                  MessageIcon icon, MessageButtons buttons)
{
    const bool failure = m_saving && icon == MessageIcon::Exclamation;
    if (failure) {
        m_current.push_back(text);
        if (m_quiet && buttons == MessageButtons::Ok && m_known.count(text) != 0) {
            return MessageAnswer::Ok;
        }
    }
    ++m_boxesOpen;
    const MessageAnswer answer = m_inner.ask(text, caption, icon, buttons);
    --m_boxesOpen;
    return answer;
}

void QuietRetrySink::notify(const std::string& text, const std::string& caption)
{
    m_inner.notify(text, caption);
}

bool QuietRetrySink::runSave(const std::function<bool()>& save, Retry retry)
{
    // A box of this save runs a nested event loop; a save started from there is not a retry.
    const bool outerSaving = m_saving;
    const bool outerQuiet = m_quiet;
    m_saving = true;
    m_quiet = retry == Retry::Quiet;
    m_current.clear();
    const bool saved = save();
    m_saving = outerSaving;
    m_quiet = outerQuiet;
    if (saved) {
        m_failing = false;
        m_failure.clear();
        m_known.clear();
        return true;
    }
    if (!m_current.empty()) {
        m_failure = m_current.front();
        m_known.insert(m_current.begin(), m_current.end());
    }
    m_failing = true;
    return false;
}

} // namespace daylark
