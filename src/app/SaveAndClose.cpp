#include "app/SaveAndClose.h"

#include "app/DaylarkApp.h"

namespace daylark {

SaveAndClose::SaveAndClose(DaylarkApp& app, QuietRetrySink& messages, std::function<void()> changed)
    : m_app(app)
    , m_messages(messages)
    , m_changed(std::move(changed))
{}

bool SaveAndClose::SavePage(QuietRetrySink::Retry retry)
{
    const bool outerSaving = m_saving;
    m_saving = true;
    bool saved = false;
    if (m_app.view().showsPastDay()) {
        m_app.doc().SaveModified();
        saved = !m_messages.failing();
    } else {
        saved = m_messages.runSave([this] { return m_app.doc().SaveModified(); }, retry);
    }
    m_saving = outerSaving;
    m_changed();
    return saved;
}

bool SaveAndClose::IdleSave()
{
    if (m_saving) {
        return false;
    }
    SavePage(QuietRetrySink::Retry::Quiet);
    return true;
}

void SaveAndClose::saveSettings(const WindowState& window)
{
    CMainFrame& frame = m_app.frame();
    const bool menuShown = frame.menuShown();
    frame.SaveSettings(window.placement, window.maximized, window.dockSide);
    if (menuShown && !frame.menuShown()) {
        frame.ToggleMenu(); // the window may go on (a session end that is cancelled)
    }
}

bool SaveAndClose::saveAll(const WindowState& window)
{
    saveSettings(window);
    m_app.view().GoToToday();
    m_changed();
    return SavePage(QuietRetrySink::Retry::Quiet);
}

void SaveAndClose::SessionEnd(const WindowState& window)
{
    if (m_closed) {
        return;
    }
    saveAll(window);
}

void SaveAndClose::Quit(const WindowState& window)
{
    SessionEnd(window);
    m_closed = true;
}

bool SaveAndClose::Close(const WindowState& window)
{
    if (m_closed) {
        return true;
    }
    if (!saveAll(window)) {
        if (!m_app.frame().CloseUnsaved(m_messages.failure())) {
            return false;
        }
    } else if (m_closing) {
        m_closing();
    }
    m_closed = true;
    return true;
}

} // namespace daylark
