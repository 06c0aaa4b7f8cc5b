#include "app/DaylarkApp.h"

#include "app/Startup.h"
#include "calendar/CDayViewDlg.h"
#include "platform/Autostart.h"
#include "platform/Clock.h"
#include "platform/MessageSink.h"
#include "records/CListDlg.h"
#include "sync/CBackupSyncDlg.h"
#include "sync/SyncSide.h"
#include "tools/CSettingsDlg.h"

#include <cstring>

namespace daylark {

DaylarkApp::DaylarkApp(const Locations& locations, MessageSink& messages, const Clock& clock)
    : m_messages(messages)
    , m_locations(locations)
    , m_profile(locations.profilePath(), messages)
    , m_frame(m_profile, m_locations, messages)
    , m_doc(messages, clock, m_profile)
    , m_view(m_doc, m_frame.displayFlags(),
             {[this] { return m_doc.CheckDayFile(/*merge=*/false); },
              [this] { m_doc.SaveModified(); }})
{
    m_doc.attachStores(m_frame.alarmFile(), m_frame.listsFile(), m_frame.displayFlags());
    m_frame.setDocument(m_doc);
}

CDaylarkDoc::LoadResult DaylarkApp::start()
{
    if (const int error = m_locations.ensureDataDir(); error != 0) {
        m_messages.error("The data directory " + m_locations.dataDir() + " cannot be created: " +
                         std::strerror(error) + ". Nothing can be saved until it can.");
    }
    return startDocument(m_doc, m_locations);
}

void DaylarkApp::Lists(const std::function<void(CListDlg&)>& dialog)
{
    m_doc.holdDayChange();
    CListDlg lists(m_frame.listsFile(), m_doc.clock(), m_messages);
    dialog(lists);
    m_doc.releaseDayChange();
}

void DaylarkApp::Search(SearchOrigin origin, const std::function<void(CSearchDlg&)>& dialog)
{
    CSearchDlg search(m_doc, m_view, m_frame.listsFile(), m_frame.alarmFile(),
                      m_frame.displayFlags(), origin);
    dialog(search);
}

void DaylarkApp::Settings(CalendarColours& colours, const std::string& program,
                          const std::function<void(CSettingsDlg&)>& dialog)
{
    CSettingsDlg settings(m_profile, m_frame.displayFlags(), colours);
    const Autostart autostart(m_locations.autostartPath(), program);
    if (!program.empty()) {
        settings.offerAutostart(autostart, m_messages);
    }
    dialog(settings);
}

std::string DaylarkApp::Synchronize(const std::function<void(CBackupSyncDlg&)>& dialog)
{
    const SyncSide side{m_doc, m_frame.alarmFile(), m_frame.listsFile(), &m_view, {}};
    CBackupSyncDlg synchronize(m_profile, side);
    dialog(synchronize);
    return synchronize.summary();
}

bool DaylarkApp::SharedSyncSet() const
{
    return CSettingsDlg::SyncSharedSet(m_profile);
}

std::string DaylarkApp::SynchronizeShared(const std::function<void(const SyncStep&)>& onStep)
{
    if (!SharedSyncSet()) {
        return {};
    }
    const SyncSide side{m_doc, m_frame.alarmFile(), m_frame.listsFile(), &m_view, {}};
    CBackupSyncDlg run(m_profile, side);
    run.setProgressListener(onStep);
    run.BackupAndSynchronize();
    const std::string summary = run.summary();
    return summary.empty() ? summary : m_frame.ClockText(m_doc.clock().now()) + ": " + summary;
}

void DaylarkApp::Notes(std::int64_t day, const std::function<void(CDayViewDlg&)>& dialog)
{
    CDayViewDlg dayView(m_doc, m_view, m_frame.displayFlags());
    dayView.Open(day);
    dialog(dayView);
}

} // namespace daylark
