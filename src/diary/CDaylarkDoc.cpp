#include "diary/CDaylarkDoc.h"

#include "alarms/AlarmSchedule.h"
#include "diary/MergeText.h"
#include "format/CRecordArchive.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileCompare.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "platform/Profile.h"
#include "records/CFutureFile.h"

#include <new>
#include <utility>

namespace daylark {

namespace {

CDaylarkDoc::DayFileStatus dayFileStatusOf(const FileStatus& status)
{
    return {status.modified, status.size, status.modifiedNanoseconds};
}

constexpr const FailureContext& kReadingDayFile = CDaylarkDoc::kReadingContext;
constexpr FailureContext kSavingDayFile{"File Exception, %d, saving daylark.day",
                                        "Archive Exception, %d, saving daylark.day",
                                        "Memory exception saving daylark.day"};

constexpr FailureContext kReadingDifferentDayFile{
    "File Exception, %d, reading different daylark.day file",
    "Archive Exception, %d, reading a different daylark.day file",
    "Memory exception reading a different daylark.day file"};
constexpr FailureContext kLookingForDifferentDayFile{
    "File Exception, %d, looking for different daylark.day", kReadingDifferentDayFile.archive,
    kReadingDifferentDayFile.memory};

constexpr const char* kProfileSection = "Settings";
constexpr const char* kFontKey = "Font";

} // namespace

CDaylarkDoc::CDaylarkDoc(MessageSink& messages, const Clock& clock, Profile& profile)
    : m_messages(messages)
    , m_clock(clock)
    , m_profile(profile)
    , m_pageDate(clock.now())
    , m_shownDate(m_pageDate)
    , m_pageArchive({}, messages, clock)
    , m_future(std::make_unique<CFutureFile>(std::string(), messages))
{}

CDaylarkDoc::~CDaylarkDoc() = default;

void CDaylarkDoc::attachStores(CAlarmFile& alarms, CTodoFile& lists, const DisplayFlags& flags)
{
    m_lists = &lists;
    m_flags = &flags;
    m_schedule = std::make_unique<AlarmSchedule>(alarms, m_clock, flags, m_messages);
}

bool CDaylarkDoc::showsToday() const
{
    return sameLocalDay(m_shownDate, m_pageDate);
}

void CDaylarkDoc::setLocations(const Locations& locations)
{
    m_locations = locations;
    m_pageArchive.setFileName(archivePathFor(m_pageDate));
    m_future = std::make_unique<CFutureFile>(
        m_locations.dataDir().empty() ? std::string() : m_locations.futurePath(), m_messages);
}

std::string CDaylarkDoc::archivePathFor(std::int64_t date) const
{
    if (m_locations.dataDir().empty()) {
        return {};
    }
    return m_locations.archivePath(breakDown(date, /*greenwich=*/false).year);
}

void CDaylarkDoc::attachPageText(PageText& text)
{
    text.setText(m_text->text());
    text.setReadOnly(m_text->readOnly());
    text.setFont(m_pageFont);
    text.setModified(m_text->modified());
    m_text = &text;
}

void CDaylarkDoc::setPageDate(std::int64_t date)
{
    m_pageDate = date;
    m_pageArchive.setFileName(archivePathFor(date));
}

void CDaylarkDoc::keepTodayTextWhileBrowsing()
{
    m_savedTodayText = m_text->text();
    m_text->keepAside();
}

std::optional<std::string> CDaylarkDoc::takeBackTodayText()
{
    return std::exchange(m_savedTodayText, std::nullopt);
}

CPageArchive* CDaylarkDoc::browsingArchiveFor(std::int64_t date)
{
    // The archive named by the date's year, whatever year its header was written in: a page
    // filed just after New Year creates last year's archive in the new year.
    const std::string path = archivePathFor(date);
    if (path.empty()) {
        return nullptr;
    }
    for (const auto& archive : m_browsingArchives) {
        if (archive->fileName() == path) {
            return archive.get();
        }
    }
    auto archive = std::make_unique<CPageArchive>(path, m_messages, m_clock);
    if (archive->Open(/*loading=*/true, /*create=*/false) != 0) {
        return nullptr;
    }
    return m_browsingArchives.emplace_back(std::move(archive)).get();
}

bool CDaylarkDoc::isModified() const
{
    return m_modified || m_text->modified();
}

void CDaylarkDoc::setModified(bool modified)
{
    m_modified = modified;
    if (!modified) {
        m_text->setModified(false);
    }
}

void CDaylarkDoc::Serialize(CRecordArchive& ar)
{
    if (ar.IsStoring()) {
        ar.writeDword(m_dayFileVersion);
        ar.writeTime(m_pageDate);
        ar.writeDword(0);
        ar.writeString(currentPageText());
        return;
    }
    std::uint32_t version = m_dayFileVersion;
    std::uint32_t flag = m_dayFileFlag;
    std::int64_t pageDate = 0;
    const std::uint32_t first = ar.readDword();
    if (first < kOldLayoutFirst) {
        version = first;
        pageDate = ar.readTime();
        flag = ar.readDword();
    } else {
        pageDate = static_cast<std::int32_t>(first);
    }
    const std::string text = ar.readString();
    m_dayFileVersion = version;
    m_dayFileFlag = flag;
    setPageDate(pageDate);
    m_text->setText(text);
}

CDaylarkDoc::LoadResult CDaylarkDoc::Load()
{
    m_dayFileProtected = false;
    if (!fileStatus(dayFilePath()).exists) {
        rememberDayFileStatus();
        return LoadResult::Missing;
    }
    std::string failure;
    try {
        File file(dayFilePath(), File::Mode::Read);
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        Serialize(ar);
    } catch (const CException& error) {
        failure = kReadingDayFile.message(error);
    } catch (const std::bad_alloc&) {
        failure = kReadingDayFile.message(CMemoryException());
    }
    rememberDayFileStatus();
    if (!failure.empty()) {
        keepDamagedDayFile(failure);
        return LoadResult::Damaged;
    }
    m_shownDate = m_pageDate;
    setModified(false);
    return LoadResult::Loaded;
}

void CDaylarkDoc::keepDamagedDayFile(const std::string& failure)
{
    const std::string prefix = dayFilePath() + ".damaged.";
    // A copy of these very bytes, kept at an earlier start, is named rather than made again.
    if (const auto kept = findCopyWithSameContents(dayFilePath(), prefix)) {
        m_messages.error(failure + "\nThe file was kept as " + *kept + ".");
        return;
    }
    const std::string copy = firstFreeName(prefix);
    if (const int error = copyFile(dayFilePath(), copy); error != 0) {
        m_dayFileProtected = true;
        m_messages.error(failure + "\nError " + std::to_string(error) + " copying " +
                         dayFilePath() + " to " + copy +
                         ": the file is left as it is and will not be overwritten.");
        return;
    }
    m_messages.error(failure + "\nThe file was kept as " + copy + ".");
}

bool CDaylarkDoc::Save()
{
    if (m_dayFileProtected) {
        m_messages.error("The current-day file " + dayFilePath() +
                         " could not be read or copied aside, so it is not overwritten.");
        return false;
    }
    // A failure after the rename (syncing the directory) is reported, but the file holds this
    // page: the document goes on from it as from any saved page.
    bool replaced = false;
    try {
        AtomicFile target(dayFilePath());
        CRecordArchive ar(target.file(), CRecordArchive::Mode::Storing);
        Serialize(ar);
        ar.Close();
        try {
            target.commit();
        } catch (const CException&) {
            replaced = target.committed();
            throw;
        }
    } catch (const CException& failure) {
        m_messages.error(kSavingDayFile.message(failure));
        if (!replaced) {
            return false;
        }
    } catch (const std::bad_alloc&) {
        m_messages.error(kSavingDayFile.message(CMemoryException()));
        return false;
    }
    m_dayFileFlag = 0;
    setModified(false);
    rememberDayFileStatus();
    return true;
}

bool CDaylarkDoc::SaveModified()
{
    if (m_dueAlarms == DueAlarms::Announce) {
        CheckDueAlarms();
    }
    // A save from a box shown during a change of day waits: the change writes the page itself,
    // and a merge now would change the text it is splitting.
    if (m_changingDay || !showsToday() || !isModified()) {
        return true;
    }
    CheckDayFile(/*merge=*/true);
    // A change of day that could not file its page is tried again by the tick, not by every
    // save: the page is saved on its own day meanwhile.
    if (m_filingFailure.empty()) {
        CheckDay();
    }
    return Save();
}

bool CDaylarkDoc::CheckDueAlarms()
{
    return m_schedule && m_schedule->CheckDueAlarms();
}

bool CDaylarkDoc::CheckDayFile(bool merge)
{
    const FileStatus status = fileStatus(dayFilePath());
    if (!status.exists || dayFileStatusOf(status) == m_dayFileStatus) {
        return false;
    }
    if (!merge) {
        setModified(true);
        return true;
    }
    File file;
    try {
        file.open(dayFilePath(), File::Mode::Read);
    } catch (const CException& failure) {
        m_messages.error(kLookingForDifferentDayFile.message(failure));
        return false;
    }
    std::uint32_t flag = 0;
    std::string text;
    std::string failure;
    try {
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        if (ar.readDword() < kOldLayoutFirst) {
            ar.readTime();
            flag = ar.readDword();
        }
        text = ar.readString();
    } catch (const CException& error) {
        failure = kReadingDifferentDayFile.message(error);
    } catch (const std::bad_alloc&) {
        failure = kReadingDifferentDayFile.message(CMemoryException());
    }
    if (!failure.empty()) {
        // The save that follows writes over the file: keep what it holds first.
        keepDamagedDayFile(failure);
        return false;
    }
    if (flag != 0) {
        setCurrentPageText(text);
        return true;
    }
    std::string page = currentPageText();
    setCurrentPageText(MergeText(page, text, nullptr, nullptr));
    return true;
}

std::string CDaylarkDoc::currentPageText() const
{
    return m_savedTodayText ? *m_savedTodayText : m_text->text();
}

void CDaylarkDoc::setCurrentPageText(const std::string& text)
{
    if (m_savedTodayText) {
        *m_savedTodayText = text;
        m_modified = true;
        return;
    }
    m_text->setText(text);
}

void CDaylarkDoc::rememberDayFileStatus()
{
    const FileStatus status = fileStatus(dayFilePath());
    m_dayFileStatus = status.exists ? dayFileStatusOf(status) : DayFileStatus{};
}

void CDaylarkDoc::LoadPageFont()
{
    const std::string value = m_profile.readString(kProfileSection, kFontKey, "");
    SetPageFont(value.empty() ? PageFont{} : PageFont::parse(value));
}

void CDaylarkDoc::SavePageFont()
{
    m_profile.writeString(kProfileSection, kFontKey, m_pageFont.format());
}

void CDaylarkDoc::SetPageFont(const PageFont& font)
{
    m_pageFont = font;
    m_text->setFont(font);
}

} // namespace daylark
