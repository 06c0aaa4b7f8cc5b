#include "sync/FileOlderPage.h"

#include "alarms/CAlarmFile.h"
#include "diary/CDaylarkDoc.h"
#include "platform/DisplayFlags.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/MessageSink.h"
#include "platform/Profile.h"
#include "records/CTodoFile.h"
#include "sync/SyncSide.h"

namespace daylark {

namespace {

/// The other side's change of day runs unseen: its failures reach this side's messages, its
/// summaries of today's alarms (that side's own business) are not shown here.
class FailuresOnly : public MessageSink
{
public:
    explicit FailuresOnly(MessageSink& target)
        : m_target(target)
    {}

    MessageAnswer ask(const std::string& text, const std::string&, MessageIcon icon,
                      MessageButtons) override
    {
        if (icon == MessageIcon::Exclamation) {
            m_target.error(text);
        }
        return MessageAnswer::Ok;
    }
    void notify(const std::string&, const std::string&) override {}

private:
    MessageSink& m_target;
};

} // namespace

} // namespace daylark

bool daylark::FileOlderPage(const SyncSide& side, const std::string& otherDir,
                            const std::string& dayFile)
{
    if (!fileStatus(dayFile).exists) {
        return false;
    }
    FailuresOnly messages(side.doc.messages());
    // The document of that side reads no setting but the page font, and writes none.
    Profile noSettings(joinPath(otherDir, ".no-settings"), messages);
    const Locations locations = Locations::resolve(
        {otherDir, noSettings.path(), dayFile}, [](const char*) -> const char* { return nullptr; });
    CAlarmFile alarms(locations.alarmPath(), messages);
    CTodoFile lists(locations.listsPath(), messages);
    const DisplayFlags flags;
    CDaylarkDoc other(messages, side.doc.clock(), noSettings);
    other.setLocations(locations);
    other.attachStores(alarms, lists, flags);
    if (other.Load() != CDaylarkDoc::LoadResult::Loaded ||
        localDayNumber(other.pageDate()) >= localDayNumber(side.doc.pageDate())) {
        return false;
    }
    const bool filed = other.NewDay(side.doc.pageDate());
    if (filed) {
        side.countPagesMerged(1);
    }
    return filed;
}
