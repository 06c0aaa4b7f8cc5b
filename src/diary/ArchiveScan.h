#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace daylark {

class ByteFile;
struct CDaylarkPage;

/// The year-archive layout: a 12-byte header (created, reserved, version), the DWORD 16 at
/// offset 12, then the entries. An entry that starts at B and ends at E is the DWORD E, the
/// page record written in a pass of its own, and the DWORD B.
constexpr std::int64_t kArchiveHeaderSize = 12;
constexpr std::int64_t kFirstEntryOffset = 16;
/// The size of an entry's leading and of its trailing DWORD offset.
constexpr std::int64_t kEntryOffsetSize = 4;
/// The two offsets that frame an entry: no entry is shorter, so a shorter tail holds none.
constexpr std::int64_t kEntryFrameSize = 2 * kEntryOffsetSize;

/// One complete entry of a year archive: its page record reads whole, its trailing DWORD (at
/// end - 4) holds its start, and its leading DWORD holds its end, or still its own start when
/// the append that wrote it stopped just before its last step (`placeholder`).
struct ArchiveEntry
{
    std::int64_t start = 0; ///< B, the offset of the leading DWORD
    std::int64_t end = 0;   ///< E, just after the trailing DWORD
    bool placeholder = false;
};

/// What a walk over a whole archive found. An append cut off by a crash leaves a torn tail:
/// everything after the last complete entry. A file shorter than the header is all tail; a
/// header cut off in its DWORD 16 has the tail from offset 12. A file that holds a value other
/// than 16 at offset 12 has no archive header at all: it is damaged, not torn, and all of it is
/// tail (an append moves it aside whole and starts the archive again).
struct ArchiveLayout
{
    std::int64_t length = 0;
    std::vector<ArchiveEntry> entries; ///< every complete entry, in file order
    std::int64_t tailStart = 0;        ///< where the torn tail begins; length when there is none
    bool notAnArchive = false;         ///< no archive header: damaged, all of it tail

    bool hasTornTail() const { return tailStart < length; }
};

/// The last complete entry of an archive and where its torn tail begins.
struct ArchiveEnd
{
    std::int64_t length = 0;
    std::optional<ArchiveEntry> last; ///< none when the archive holds no complete entry
    std::int64_t tailStart = 0;       ///< length when nothing is torn
    bool notAnArchive = false;        ///< as in ArchiveLayout; then nothing is complete
};

/// Reads the entry that starts at `start` in a pass of its own. Returns it when it is complete
/// (see ArchiveEntry), with its page in `page` when that is given; nothing when it is not
/// (it is cut off, or its record or offsets do not fit). A placeholder entry is complete only
/// as the last of the chain: that is for the caller to tell. File failures throw; a length read
/// from the file is checked against the file's size before anything is allocated.
std::optional<ArchiveEntry> readCompleteEntry(ByteFile& file, std::int64_t start,
                                              std::unique_ptr<CDaylarkPage>* page = nullptr);

/// Walks an archive forward from offset 16 by reading each entry, so it neither trusts the
/// stored offsets nor can loop. It stops at the first entry that is not complete and after an
/// entry that still holds its placeholder (the append that wrote it was the last one); what
/// lies beyond is the torn tail. `onEntry`, when given, sees every complete entry and its page
/// in file order. File failures throw.
ArchiveLayout
scanArchive(ByteFile& file,
            const std::function<void(const ArchiveEntry&, const CDaylarkPage&)>& onEntry = {});

/// The end of an archive's complete entries. When the file's last DWORD points at a complete
/// entry that ends the file, that entry is the last one and nothing is torn (one entry read);
/// otherwise the archive is walked forward with scanArchive. File failures throw.
ArchiveEnd findArchiveEnd(ByteFile& file);

} // namespace daylark
