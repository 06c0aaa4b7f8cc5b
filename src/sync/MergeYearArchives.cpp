#include "sync/MergeYearArchives.h"

#include "diary/ArchiveScan.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkPage.h"
#include "diary/CPageArchive.h"
#include "diary/MergeText.h"
#include "format/CRecordArchive.h"
#include "platform/Clock.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "sync/Backup.h"
#include "sync/FilePairRule.h"
#include "sync/FileSet.h"
#include "sync/SyncSide.h"

#include <algorithm>
#include <map>
#include <new>
#include <optional>
#include <vector>

namespace daylark {

namespace {

constexpr FilePairMessages kPairMessages{"Error %ld copying %s to %s\n No daylark #1",
                                         "Error %ld copying %s to %s\n No daylark #2"};
constexpr const char* kCopyToOtherFailed = "Error %ld copying to remote daylark %s";
constexpr const char* kCopyBackFailed = "Error %ld copying %s to  %s";
constexpr const char* kRemoveFailed = "Error %ld removing temporary file  %s";
constexpr FailureContext kArchiving{"File Exception, %d, archiving page",
                                    "Archive Exception, %d, archiving page",
                                    "Memory exception archiving a daylark page"};

/// A year archive read whole: its header and its pages in file order.
struct ArchiveContent
{
    std::int64_t created = 0;
    std::uint32_t reserved = 0;
    std::uint32_t version = CPageArchive::kArchiveVersion;
    std::vector<CDaylarkPage> pages;
};

/// Reads every entry of an archive in one forward pass. A file too short for a header keeps
/// the header of a new archive. Nothing when the archive does not read whole (after the message).
std::optional<ArchiveContent> readArchive(const std::string& path, const Clock& clock,
                                          MessageSink& messages)
{
    ArchiveContent content;
    content.created = clock.now();
    std::string failure;
    try {
        File file(path, File::Mode::Read);
        if (file.length() >= kArchiveHeaderSize) {
            CRecordArchive ar(file, CRecordArchive::Mode::Loading);
            content.created = ar.readTime();
            content.reserved = ar.readDword();
            content.version = ar.readDword();
        }
        const ArchiveLayout layout =
            scanArchive(file, [&content](const ArchiveEntry&, const CDaylarkPage& page) {
                content.pages.push_back(page);
            });
        if (!layout.hasTornTail()) {
            return content;
        }
        const std::string what = layout.notAnArchive ? " does not begin with an archive header"
                                                     : ": the bytes from offset " +
                                                           std::to_string(layout.tailStart) +
                                                           " on hold no complete page";
        failure = path + what +
                  ", so this year was not synchronised; both sides keep their archives of it as "
                  "they are.";
    } catch (const CException& error) {
        failure = CPageArchive::kReadingContext.message(error);
    } catch (const std::bad_alloc&) {
        failure = CPageArchive::kReadingContext.message(CMemoryException());
    }
    messages.error(failure);
    return std::nullopt;
}

/// The pages of both archives merged day by day, in date order. The pages of one local day,
/// this side's first, are merged into the one with the longest text (the first among equals),
/// which keeps its own date and version. `differing` receives the number of days whose pages
/// the two sides did not share: found on one side only, or with texts that differ.
std::vector<CDaylarkPage> mergePages(ArchiveContent& ours, ArchiveContent& theirs, int& differing)
{
    struct Day
    {
        std::vector<CDaylarkPage*> pages;
        bool onOurs = false;
        bool onTheirs = false;
    };
    std::map<long, Day> days;
    for (ArchiveContent* content : {&ours, &theirs}) {
        for (CDaylarkPage& page : content->pages) {
            Day& day = days[localDayNumber(page.Date)];
            day.pages.push_back(&page);
            (content == &ours ? day.onOurs : day.onTheirs) = true;
        }
    }
    differing = 0;
    std::vector<CDaylarkPage> merged;
    merged.reserve(days.size());
    for (auto& [number, day] : days) {
        std::vector<CDaylarkPage*>& work = day.pages;
        const std::string& first = work.front()->Text;
        if (!day.onOurs || !day.onTheirs || std::any_of(work.begin(), work.end(), [&](auto* page) {
                return page->Text != first;
            })) {
            ++differing;
        }
        const auto base = std::max_element(work.begin(), work.end(), [](auto* a, auto* b) {
            return a->Text.size() < b->Text.size();
        });
        CDaylarkPage result = std::move(**base);
        for (CDaylarkPage* page : work) {
            if (page != *base) {
                result.Text = MergeText(result.Text, page->Text, nullptr, nullptr);
            }
        }
        merged.push_back(std::move(result));
    }
    return merged;
}

/// Writes one entry at the end of `file`: its end, the page in a pass of its own, its start.
void writeEntry(File& file, const CDaylarkPage& page)
{
    const std::int64_t start = file.position();
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    ar.writeDword(static_cast<std::uint32_t>(start)); // its end, once known
    ar.WriteObject(&page);
    ar.writeDword(static_cast<std::uint32_t>(start));
    ar.Close();
    const std::int64_t end = file.position();
    file.seek(start, SeekFrom::Begin);
    CRecordArchive lead(file, CRecordArchive::Mode::Storing);
    lead.writeDword(static_cast<std::uint32_t>(end));
    lead.Close();
    file.seek(end, SeekFrom::Begin);
}

/// Writes a new year archive at `path` with the header of `header` and `pages` in their order,
/// as filing them one by one would.
void writeArchive(const std::string& path, const ArchiveContent& header,
                  const std::vector<CDaylarkPage>& pages)
{
    File file(path, File::Mode::Create);
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    ar.writeTime(header.created);
    ar.writeDword(header.reserved);
    ar.writeDword(header.version);
    ar.writeDword(static_cast<std::uint32_t>(kFirstEntryOffset));
    ar.Close();
    for (const CDaylarkPage& page : pages) {
        writeEntry(file, page);
    }
    file.close();
}

/// Writes created and reserved over the first 8 bytes of the archive at `path`.
void writeHeaderStart(const std::string& path, const ArchiveContent& header)
{
    File file(path, File::Mode::ReadWrite);
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    ar.writeTime(header.created);
    ar.writeDword(header.reserved);
    ar.Close();
    file.close();
}

/// Runs a write of the temporary archive; false after the message of its failure.
template <class Write> bool tryWrite(MessageSink& messages, Write&& write)
{
    try {
        write();
        return true;
    } catch (const CException& failure) {
        messages.error(kArchiving.message(failure));
    } catch (const std::bad_alloc&) {
        messages.error(kArchiving.message(CMemoryException()));
    }
    return false;
}

} // namespace

} // namespace daylark

void daylark::MergeYearArchives(const SyncSide& side, const std::string& thisFile,
                                const std::string& otherFile, std::string* thisLast,
                                std::string* otherLast)
{
    if (!ApplyFilePairRule(side, thisFile, otherFile, kPairMessages)) {
        return;
    }
    MessageSink& messages = side.doc.messages();
    auto ours = readArchive(thisFile, side.doc.clock(), messages);
    if (!ours) {
        return;
    }
    auto theirs = readArchive(otherFile, side.doc.clock(), messages);
    if (!theirs) {
        return;
    }
    if (thisLast != nullptr && !ours->pages.empty()) {
        *thisLast = ours->pages.back().Text;
    }
    if (otherLast != nullptr && !theirs->pages.empty()) {
        *otherLast = theirs->pages.back().Text;
    }
    int differing = 0;
    const std::vector<CDaylarkPage> merged = mergePages(*ours, *theirs, differing);
    if (merged.empty()) {
        return;
    }

    // Each side's archive is replaced whole by a copy of the temporary archive: at every step
    // both sides hold a readable archive with all their pages.
    const std::string temporary = TemporaryName(thisFile);
    side.aboutToWrite(temporary);
    if (!tryWrite(messages, [&] { writeArchive(temporary, *theirs, merged); })) {
        return;
    }
    side.aboutToWrite(otherFile);
    const int otherError = copyFile(temporary, otherFile);
    if (otherError != 0) {
        messages.error(fillMessage(kCopyToOtherFailed, {std::to_string(otherError), otherFile}));
    }
    side.aboutToWrite(temporary);
    if (!tryWrite(messages, [&] { writeHeaderStart(temporary, *ours); })) {
        return;
    }
    side.aboutToWrite(thisFile);
    if (const int error = copyFile(temporary, thisFile); error != 0) {
        messages.error(fillMessage(kCopyBackFailed, {std::to_string(error), temporary, thisFile}));
        return;
    }
    if (otherError == 0) {
        side.countPagesMerged(differing);
    }
    side.aboutToWrite(temporary);
    if (const int error = removeFile(temporary); error != 0) {
        messages.error(fillMessage(kRemoveFailed, {std::to_string(error), temporary}));
    }
}
