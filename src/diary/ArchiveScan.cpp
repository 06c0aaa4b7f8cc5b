#include "diary/ArchiveScan.h"

#include "diary/CDaylarkPage.h"
#include "format/CRecordArchive.h"
#include "platform/ByteFile.h"
#include "platform/Exceptions.h"

namespace daylark {

namespace {

/// Whether the file is long enough to hold the DWORD at offset 12 and holds another value than
/// 16 there: then it does not begin with an archive header.
bool lacksArchiveHeader(ByteFile& file, std::int64_t length)
{
    if (length < kFirstEntryOffset) {
        return false;
    }
    file.seek(kArchiveHeaderSize, SeekFrom::Begin);
    CRecordArchive ar(file, CRecordArchive::Mode::Loading);
    return ar.readDword() != kFirstEntryOffset;
}

} // namespace

} // namespace daylark

std::optional<daylark::ArchiveEntry> daylark::readCompleteEntry(ByteFile& file, std::int64_t start,
                                                                std::unique_ptr<CDaylarkPage>* page)
{
    const std::int64_t length = file.length();
    if (start < kFirstEntryOffset || start >= length) {
        return std::nullopt;
    }
    file.seek(start, SeekFrom::Begin);
    CRecordArchive ar(file, CRecordArchive::Mode::Loading);
    std::uint32_t lead = 0;
    std::uint32_t trailing = 0;
    std::unique_ptr<CDaylarkPage> record;
    try {
        lead = ar.readDword();
        record = ar.ReadNewObject<CDaylarkPage>();
        trailing = ar.readDword();
        ar.Flush();
    } catch (const CArchiveException&) {
        // Cut off, or bytes that are no page record: either way not a complete entry.
        return std::nullopt;
    }
    ArchiveEntry entry{start, file.position(), false};
    if (trailing != start) {
        return std::nullopt;
    }
    if (lead != entry.end) {
        if (lead != start) {
            return std::nullopt;
        }
        entry.placeholder = true;
    }
    if (page != nullptr) {
        *page = std::move(record);
    }
    return entry;
}

daylark::ArchiveLayout
daylark::scanArchive(ByteFile& file,
                     const std::function<void(const ArchiveEntry&, const CDaylarkPage&)>& onEntry)
{
    ArchiveLayout layout;
    layout.length = file.length();
    if (layout.length < kArchiveHeaderSize) {
        layout.tailStart = 0;
        return layout;
    }
    if (layout.length < kFirstEntryOffset) {
        layout.tailStart = kArchiveHeaderSize;
        return layout;
    }
    if (lacksArchiveHeader(file, layout.length)) {
        layout.notAnArchive = true;
        layout.tailStart = 0;
        return layout;
    }
    std::int64_t start = kFirstEntryOffset;
    while (start < layout.length) {
        std::unique_ptr<CDaylarkPage> page;
        const auto entry = readCompleteEntry(file, start, onEntry ? &page : nullptr);
        if (!entry) {
            break;
        }
        layout.entries.push_back(*entry);
        if (onEntry) {
            onEntry(*entry, *page);
        }
        start = entry->end;
        if (entry->placeholder) {
            break;
        }
    }
    layout.tailStart = start;
    return layout;
}

daylark::ArchiveEnd daylark::findArchiveEnd(ByteFile& file)
{
    const std::int64_t length = file.length();
    if (lacksArchiveHeader(file, length)) {
        return {length, std::nullopt, 0, /*notAnArchive=*/true};
    }
    if (length >= kFirstEntryOffset + kEntryFrameSize) {
        file.seek(length - kEntryOffsetSize, SeekFrom::Begin);
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        const std::int64_t lastStart = ar.readDword();
        const auto last = readCompleteEntry(file, lastStart);
        if (last && last->end == length) {
            return {length, last, length};
        }
    }
    const ArchiveLayout layout = scanArchive(file);
    ArchiveEnd end{length, std::nullopt, layout.tailStart};
    if (!layout.entries.empty()) {
        end.last = layout.entries.back();
    }
    return end;
}
