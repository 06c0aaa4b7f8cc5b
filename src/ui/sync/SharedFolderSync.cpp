#include "ui/sync/SharedFolderSync.h"

#include "app/DaylarkApp.h"
#include "sync/CBackupSyncDlg.h"
#include "ui/page/PageTextMapping.h"
#include "ui/platform/WaitCursor.h"
#include "ui/sync/SyncProgress.h"

namespace daylark {

SharedFolderSync::SharedFolderSync(DaylarkApp& app, QWidget& window, std::function<bool()> busy,
                                   std::function<void()> changed,
                                   std::function<void(const QString&)> notify)
    : m_app(app)
    , m_window(window)
    , m_busy(std::move(busy))
    , m_changed(std::move(changed))
    , m_notify(std::move(notify))
{}

void SharedFolderSync::request()
{
    m_due = m_app.SharedSyncSet();
}

void SharedFolderSync::runWhenFree()
{
    if (m_due && !m_busy()) {
        run();
    }
}

void SharedFolderSync::run()
{
    // A box of the run runs a nested loop whose tick must not start another.
    if (m_running) {
        return;
    }
    m_due = false;
    m_running = true;
    std::string status;
    {
        SyncProgress progress(m_window, QString::fromLatin1(CBackupSyncDlg::kTitle));
        const WaitCursor busy;
        status =
            m_app.SynchronizeShared([&progress](const SyncStep& step) { progress.show(step); });
    }
    m_running = false;
    m_changed();
    if (!status.empty()) {
        m_notify(displayTextFromPage(status)); // it names folders, whatever their bytes
    }
}

} // namespace daylark
