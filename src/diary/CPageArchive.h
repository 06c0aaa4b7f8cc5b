#pragma once

#include "diary/ArchiveScan.h"
#include "diary/CDaylarkPage.h"
#include "platform/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace daylark {

class Clock;
class CRecordArchive;
class File;
class MessageSink;

/// One year archive: the append-only chain of the pages filed in one year, linked forward and
/// backward by file offsets (see diary/ArchiveScan.h for the layout). It opens, searches,
/// appends to and closes the file; between Open ... Close cycles it keeps its header fields and
/// the positions of the entry found last, so that a walk can go on from there.
///
/// Every failure is shown as one message through the sink and the operation gives up. The
/// file is untrusted: an offset that points outside the file, the wrong way or in a loop ends
/// a walk with "Archive Exception, 5, reading page". An append cut off by a crash is recovered
/// (see AppendPage); readers see every complete entry.
class CPageArchive
{
public:
    /// The messages of a failure while reading pages.
    static constexpr FailureContext kReadingContext{"File Exception, %d, reading page",
                                                    "Archive Exception, %d, reading page",
                                                    "Memory exception reading a daylark page"};
    /// The messages of a failure while writing pages.
    static constexpr FailureContext kArchivingContext{"File Exception, %d, archiving page",
                                                      "Archive Exception, %d, archiving page",
                                                      "Memory exception archiving a daylark page"};

    static constexpr std::uint32_t kArchiveVersion = 101;

    /// `fileName` is the full path of the archive. The created time is the clock's now.
    CPageArchive(std::string fileName, MessageSink& messages, const Clock& clock);
    /// Closes the archive; the page list is freed.
    ~CPageArchive();
    CPageArchive(const CPageArchive&) = delete;
    CPageArchive& operator=(const CPageArchive&) = delete;

    const std::string& fileName() const { return m_fileName; }
    /// Names another file (the archive of another year); takes effect at the next Open.
    void setFileName(std::string fileName) { m_fileName = std::move(fileName); }

    /// Opens the file for reading (loading) or for writing without truncation and starts a
    /// pass in that direction; with `create` a missing file is created. Reading takes the
    /// header from a file longer than 11 bytes; writing into an empty file writes the header.
    /// Returns 0 on success, 1 on failure; a missing file without `create` is a silent 1.
    int Open(bool loading, bool create);
    /// Ends the pass and closes the file; safe when nothing is open.
    void Close();
    bool isOpen() const { return m_file != nullptr; }

    /// Reads one entry after another, needing the archive open for loading. The first entry
    /// read is the last of the file (`fromEnd`), the one before the entry found last (backward
    /// with `takeAny`), or the entry found last itself. It returns the position of the first
    /// entry on the same local day as `date` (any entry with `takeAny`), with its page in
    /// `page`, and caches its positions. The walk stops with -1 at the end of the chain or as
    /// soon as `date` cannot lie further on, caching the entry read last; a failure also gives
    /// -1 (with its message) and caches nothing. `takeAny` is meant for backward walks.
    std::int64_t FindPage(std::unique_ptr<CDaylarkPage>& page, std::int64_t date, bool fromEnd,
                          bool backward, bool takeAny);

    /// Opens the archive for writing (creating it with its header when missing), appends one
    /// entry for `page`, makes it durable and closes. Returns the file length before the
    /// entry (above 0), or 0 when nothing was filed: the archive did not open or the append
    /// failed (a cut-off entry is mended by the next append). The failure's message is shown,
    /// or, when `failure` is given, handed back there for the caller's own message.
    ///
    /// Before appending it recovers from an earlier append that was cut off: a last entry that
    /// still holds its placeholder gets its end written in, and a torn tail is moved into
    /// "<year>.torn.NNN" beside the archive (the first free NNN) and cut off the archive. A file
    /// without an archive header is damaged, not torn: it is moved whole into
    /// "<name>.damaged.NNN", said so, and the archive starts again. Readers (FindPage and all
    /// that use it) report such a file as damaged and find no page in it.
    std::int64_t AppendPage(const CDaylarkPage& page, std::string* failure = nullptr);

    /// Reads every complete entry and puts the pages before those already in the page list,
    /// in file order. Returns the number of pages read (0 for a missing archive).
    std::size_t LoadAllPages();
    /// Appends every page of the page list, in list order, stopping at the first that fails.
    void AppendAllPages();

    /// The pages of LoadAllPages and AppendAllPages, owned by the archive.
    std::vector<std::unique_ptr<CDaylarkPage>>& pages() { return m_pages; }

    std::int64_t created() const { return m_created; }
    std::uint32_t reserved() const { return m_reserved; }
    std::uint32_t version() const { return m_version; }
    /// 12 after a header has been read or written, 0 before.
    std::int64_t dataStart() const { return m_dataStart; }

    /// The start of the entry before the entry found last (its own start for the first).
    std::int64_t cachedPreviousStart() const { return m_previousStart; }
    /// The end of the entry found last.
    std::int64_t cachedNextStart() const { return m_nextStart; }
    /// The offset of the DWORD just before the entry found last (its start minus 4).
    std::int64_t cachedPosition() const { return m_position; }
    /// Set by the day navigation after its first search, to go on from the cached positions.
    bool positionsValid() const { return m_positionsValid; }
    void setPositionsValid(bool valid) { m_positionsValid = valid; }

private:
    /// The message of a file that holds no archive header.
    static std::string notAnArchiveText(const std::string& archivePath);
    /// Where a walk reads next: the offset of the DWORD before the entry, and for a backward
    /// step the start of the entry it left (-1 otherwise).
    struct WalkStep
    {
        std::int64_t position;
        std::int64_t cameFrom;
    };
    /// One entry read by a walk, its offsets checked.
    struct ChainEntry
    {
        std::int64_t previousStart; ///< its own start for the first entry
        std::int64_t end;
        bool first;
    };

    std::optional<WalkStep> firstStep(std::int64_t lastStart, std::int64_t dataEnd, bool fromEnd,
                                      bool backward, bool takeAny) const;
    ChainEntry readChainEntry(const WalkStep& step, std::int64_t dataEnd,
                              std::unique_ptr<CDaylarkPage>& page);
    std::int64_t walk(std::unique_ptr<CDaylarkPage>& page, std::int64_t date, bool fromEnd,
                      bool backward, bool takeAny);
    void cache(std::int64_t position, std::int64_t previousStart, std::int64_t nextStart,
               std::optional<long> dateKey = std::nullopt, bool first = false);
    /// The end of the complete entries, found again only when the file's length changed.
    const ArchiveEnd& knownEnd();
    /// Writes the entry; `kept` becomes the archive's length before it (after a torn tail was
    /// moved aside).
    std::int64_t appendEntry(const CDaylarkPage& page, std::int64_t& kept);
    /// Cuts the archive back to `length` (nothing when it is negative), as far as it can.
    void cutBack(std::int64_t length);
    std::int64_t mendTornAppend();
    /// Copies the bytes [from, to) of the archive into the new file `target`, made durable.
    void copyBytesAside(std::int64_t from, std::int64_t to, const std::string& target);
    void writeHeader();
    /// Open, with its failure shown or handed back in `failure` when that is given.
    int open(bool loading, bool create, std::string* failure);
    void report(const std::string& message, std::string* failure);
    /// Drops the pass without flushing what it holds and closes the file, ignoring failures.
    void abandon();

    std::string m_fileName;
    MessageSink& m_messages;
    std::int64_t m_previousStart = 0;
    std::int64_t m_nextStart = 0;
    std::int64_t m_position = 0;
    /// The local date of the entry found last and whether it is the first: a walk that starts
    /// at the cached position need not read that entry again unless it is the day asked for.
    std::optional<long> m_cachedDateKey;
    bool m_cachedFirst = false;
    std::optional<ArchiveEnd> m_knownEnd;
    std::int64_t m_knownLength = -1;
    std::unique_ptr<File> m_file;
    std::unique_ptr<CRecordArchive> m_archive;
    std::int64_t m_created;
    std::uint32_t m_reserved = 0;
    std::uint32_t m_version = kArchiveVersion;
    std::int64_t m_dataStart = 0;
    bool m_positionsValid = false;
    std::vector<std::unique_ptr<CDaylarkPage>> m_pages;
    const Clock& m_clock;
};

} // namespace daylark
