#include "app/DaylarkApp.h"

#include "app/Startup.h"
#include "platform/MessageSink.h"

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

} // namespace daylark
