// The mark of a change of day whose new page is written while its stores may not be saved yet.
//
// A change of day files the page, writes the current-day file with the new page, then saves the
// lists (without their done lines, now filed) and the future notes (without the notes carried
// onto the new page). Cut between the current-day file and those saves, a rerun sees a page of
// the new day and would leave the done lines and due notes in their stores, to be filed and
// carried a second time. The mark, written before the current-day file and removed once the
// stores are saved, tells a later start or change of day to finish them first.

#include "diary/CDaylarkDoc.h"
#include "diary/SplitPage.h"
#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace daylark {

namespace {

/// The largest mark: a decimal time value.
constexpr std::size_t kMarkSize = 32;

/// The mark is the first step of saving the new page, and fails as its save does.
constexpr FailureContext kSavingNewDay{"File Exception, %d, saving daylark.day",
                                       "Archive Exception, %d, saving daylark.day",
                                       "Memory exception saving daylark.day"};

std::optional<std::int64_t> readMark(const std::string& path)
{
    if (!fileStatus(path).exists) {
        return std::nullopt;
    }
    try {
        File file(path, File::Mode::Read);
        char text[kMarkSize + 1] = {};
        const std::size_t length = file.read(text, kMarkSize);
        char* end = nullptr;
        const long long day = std::strtoll(text, &end, 10);
        if (length == 0 || end != text + length) {
            return std::nullopt;
        }
        return day;
    } catch (const CFileException&) {
        return std::nullopt;
    }
}

} // namespace

std::string CDaylarkDoc::newDayMarkPath() const
{
    return joinPath(directoryOf(dayFilePath()), "." + baseNameOf(dayFilePath()) + ".newday");
}

std::string CDaylarkDoc::markNewDay(std::int64_t day)
{
    try {
        AtomicFile mark(newDayMarkPath());
        const std::string text = std::to_string(day);
        mark.file().write(text.data(), text.size());
        mark.commit();
        return {};
    } catch (const CFileException& failure) {
        return kSavingNewDay.message(failure);
    }
}

void CDaylarkDoc::clearNewDayMark()
{
    const std::string path = newDayMarkPath();
    const int error = removeFile(path);
    if (error == 0 || error == ENOENT) {
        return;
    }
    // Left in place, the next start would take the done lines out of the lists again, also
    // those ticked off since.
    m_messages.error("The change of day is done, but its mark " + path + " could not be removed (" +
                     std::strerror(error) + "). Please remove it before Daylark starts again.");
}

void CDaylarkDoc::finishMarkedDayChange()
{
    const std::optional<std::int64_t> day = readMark(newDayMarkPath());
    if (!day || m_lists == nullptr || !m_future) {
        return;
    }
    // A mark of an earlier day is left over; a later day's page is not written yet, so that
    // change of day runs again in full.
    if (localDayNumber(*day) != localDayNumber(m_pageDate)) {
        if (localDayNumber(*day) < localDayNumber(m_pageDate)) {
            clearNewDayMark();
        }
        return;
    }
    int failed = 0;
    m_lists->Load();
    bool listsChanged = false;
    for (const auto& list : m_lists->records()) {
        std::string done;
        std::string contents = SplitList(list->Contents, done, {kOpenTag, kCloseTag});
        if (contents != list->Contents) {
            list->Contents = std::move(contents);
            listsChanged = true;
        }
    }
    if (listsChanged) {
        failed += m_lists->Save();
    }
    m_lists->Empty();

    m_future->Load();
    std::vector<const CDaylarkFuture*> carried;
    for (const auto& note : m_future->records()) {
        if (localDayNumber(note->Date) <= localDayNumber(*day)) {
            carried.push_back(note.get());
        }
    }
    for (const CDaylarkFuture* note : carried) {
        m_future->RemoveNote(note);
        m_future->setChanged(true);
    }
    if (m_future->changed()) {
        failed += m_future->Save();
    }
    m_future->Empty();
    if (failed == 0) {
        clearNewDayMark();
    }
}

} // namespace daylark
