#include "sync/MergeDayFiles.h"

#include "diary/CDaylarkDoc.h"
#include "diary/MergeText.h"
#include "format/CRecordArchive.h"
#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/MessageSink.h"
#include "sync/SyncSide.h"

#include <new>
#include <optional>

namespace daylark {

namespace {

constexpr FailureContext kSyncing{"File Exception, %d, syncing daylark.day file",
                                  "Archive Exception, %d, syncing daylark.day file",
                                  "Memory exception syncing daylark.day file"};
/// The file that cannot be opened, named in the message.
constexpr std::string_view kThisOpen = "File Exception, %d, syncing this daylark.day";
constexpr std::string_view kOtherOpen = "File Exception, %d, syncing remote daylark.day";

/// The flag word that tells the document to take the file's text over unchanged.
constexpr std::uint32_t kTakeOver = 1;

struct DayFile
{
    std::uint32_t version = CDaylarkDoc::kNewDayFileVersion;
    std::int64_t pageDate = 0;
    std::string text;
};

/// The message of a failure: an open failure under `openContext`, the rest under kSyncing.
std::string failureText(const CException& failure, bool opening, std::string_view openContext)
{
    if (opening && dynamic_cast<const CFileException*>(&failure) != nullptr) {
        return FailureContext{openContext, kSyncing.archive, kSyncing.memory}.message(failure);
    }
    return kSyncing.message(failure);
}

/// Reads either layout of the current-day file; nothing after the message of a failure.
std::optional<DayFile> readDayFile(const std::string& path, std::string_view openContext,
                                   MessageSink& messages)
{
    bool opening = true;
    try {
        File file(path, File::Mode::Read);
        opening = false;
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        DayFile day;
        const std::uint32_t first = ar.readDword();
        if (first < CDaylarkDoc::kOldLayoutFirst) {
            day.version = first;
            day.pageDate = ar.readTime();
            ar.readDword(); // the flag
        } else {
            day.pageDate = static_cast<std::int32_t>(first);
        }
        day.text = ar.readString();
        return day;
    } catch (const CException& failure) {
        messages.error(failureText(failure, opening, openContext));
    } catch (const std::bad_alloc&) {
        messages.error(kSyncing.message(CMemoryException()));
    }
    return std::nullopt;
}

/// Replaces the file with the versioned layout, the flag 1 and `text`; false after the message.
bool writeDayFile(const SyncSide& side, const std::string& path, const DayFile& day,
                  const std::string& text, std::string_view openContext)
{
    bool opening = true;
    try {
        side.aboutToWrite(path);
        AtomicFile target(path);
        opening = false;
        CRecordArchive ar(target.file(), CRecordArchive::Mode::Storing);
        ar.writeDword(day.version);
        ar.writeTime(day.pageDate);
        ar.writeDword(kTakeOver);
        ar.writeString(text);
        ar.Close();
        target.commit();
        return true;
    } catch (const CException& failure) {
        side.doc.messages().error(failureText(failure, opening, openContext));
    } catch (const std::bad_alloc&) {
        side.doc.messages().error(kSyncing.message(CMemoryException()));
    }
    return false;
}

} // namespace

} // namespace daylark

std::optional<daylark::DayPage> daylark::ReadDayPage(const std::string& path, MessageSink& messages)
{
    const auto day = readDayFile(path, kOtherOpen, messages);
    if (!day) {
        return std::nullopt;
    }
    return DayPage{day->pageDate, day->text};
}

void daylark::MergeDayFiles(const SyncSide& side, const std::string& thisFile,
                            const std::string& otherFile, const std::string* thisLast,
                            const std::string* otherLast, const std::vector<std::string>& alsoTexts)
{
    MessageSink& messages = side.doc.messages();
    const auto ours = readDayFile(thisFile, kThisOpen, messages);
    if (!ours) {
        return;
    }
    const auto theirs = readDayFile(otherFile, kOtherOpen, messages);
    if (!theirs) {
        return;
    }
    std::string a = ours->text;
    std::string b = theirs->text;
    std::string merged = MergeText(a, b, thisLast, otherLast);
    for (std::string also : alsoTexts) {
        merged = MergeText(merged, also, thisLast, otherLast);
    }
    if (writeDayFile(side, thisFile, *ours, merged, kThisOpen) &&
        writeDayFile(side, otherFile, *theirs, merged, kOtherOpen) &&
        (ours->text != theirs->text || !alsoTexts.empty())) {
        side.countPagesMerged(1);
    }
}
