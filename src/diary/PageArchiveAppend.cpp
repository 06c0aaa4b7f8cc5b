#include "diary/ArchiveScan.h"
#include "diary/CDaylarkPage.h"
#include "diary/CPageArchive.h"
#include "format/CRecordArchive.h"
#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"

#include <new>
#include <vector>

// The writing side of the year archive: appending a page (after moving a torn tail aside) and
// writing every loaded page back.

namespace daylark {

namespace {

constexpr const FailureContext& kArchiving = CPageArchive::kArchivingContext;
constexpr std::size_t kCopyBuffer = 64 * 1024;

/// "<dir>/<year>.torn." for the archive "<dir>/<year>.dlk".
std::string tornPrefix(const std::string& archivePath)
{
    std::string stem = baseNameOf(archivePath);
    if (const auto dot = stem.rfind('.'); dot != std::string::npos && dot > 0) {
        stem.resize(dot);
    }
    return joinPath(directoryOf(archivePath), stem + ".torn.");
}

} // namespace

std::int64_t CPageArchive::AppendPage(const CDaylarkPage& page, std::string* failure)
{
    if (open(/*loading=*/false, /*create=*/true, failure) != 0) {
        return 0;
    }
    std::int64_t kept = -1;
    try {
        const std::int64_t length = appendEntry(page, kept);
        m_archive->Close();
        m_file->sync();
        m_file->close();
        m_archive.reset();
        m_file.reset();
        return length;
    } catch (const CException& error) {
        report(kArchiving.message(error), failure);
    } catch (const std::bad_alloc&) {
        report(kArchiving.message(CMemoryException()), failure);
    }
    // What the pass still buffers is dropped, and what reached the file of this entry is cut
    // off again: an entry that reads whole but whose append failed (its end pointer or the
    // fsync) would otherwise count as filed, and the page would be filed a second time.
    m_archive.reset();
    cutBack(kept);
    abandon();
    return 0;
}

void CPageArchive::cutBack(std::int64_t length)
{
    if (length < 0 || !m_file) {
        return;
    }
    try {
        if (m_file->length() > length) {
            m_file->truncate(length);
        }
    } catch (const CException&) {
        // It stays a torn tail or an unsynced entry; the next append sees it as such.
    }
}

std::int64_t CPageArchive::appendEntry(const CDaylarkPage& page, std::int64_t& kept)
{
    // Refuse a date that cannot be stored before anything is written.
    if (!fitsStoredTime(page.Date)) {
        throw CTimeRangeException(page.Date);
    }
    std::int64_t length = mendTornAppend();
    kept = length;
    if (length == 0) {
        m_file->seek(0, SeekFrom::Begin);
        writeHeader();
        length = kArchiveHeaderSize;
    }
    m_file->seek(0, SeekFrom::End);
    if (length == kArchiveHeaderSize) {
        m_archive->writeDword(static_cast<std::uint32_t>(kFirstEntryOffset));
    }
    m_archive->Flush();
    const std::int64_t start = m_file->position();
    m_archive->writeDword(static_cast<std::uint32_t>(start)); // placeholder until the end is known
    m_archive->WriteObject(&page);
    m_archive->writeDword(static_cast<std::uint32_t>(start));
    m_archive->Flush();
    const std::int64_t end = m_file->position();
    m_file->seek(start, SeekFrom::Begin);
    m_archive->writeDword(static_cast<std::uint32_t>(end));
    m_archive->Flush();
    m_nextStart = end;
    m_cachedDateKey.reset();
    return length;
}

std::int64_t CPageArchive::mendTornAppend()
{
    m_archive->Flush();
    const ArchiveEnd end = findArchiveEnd(*m_file);
    if (end.last && end.last->placeholder) {
        m_file->seek(end.last->start, SeekFrom::Begin);
        m_archive->writeDword(static_cast<std::uint32_t>(end.last->end));
        m_archive->Flush();
    }
    if (end.notAnArchive) {
        // Nothing in it can be trusted as an entry: all of it goes aside before it is cut.
        const std::string copy = firstFreeName(m_fileName + ".damaged.");
        copyBytesAside(0, end.length, copy);
        m_file->truncate(0);
        m_messages.notify(notAnArchiveText(m_fileName) + " It was moved whole into " + copy +
                              " and the archive was started again.",
                          MessageSink::kCaption);
        return 0;
    }
    if (end.tailStart < end.length) {
        copyBytesAside(end.tailStart, end.length, firstFreeName(tornPrefix(m_fileName)));
        m_file->truncate(end.tailStart);
    }
    return end.tailStart;
}

void CPageArchive::copyBytesAside(std::int64_t from, std::int64_t to, const std::string& target)
{
    AtomicFile aside(target);
    m_file->seek(from, SeekFrom::Begin);
    std::vector<char> buffer(kCopyBuffer);
    for (std::int64_t left = to - from; left > 0;) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(left, static_cast<std::int64_t>(buffer.size())));
        const std::size_t got = m_file->read(buffer.data(), want);
        if (got == 0) {
            throw CFileException(CFileException::endOfFile);
        }
        aside.file().write(buffer.data(), got);
        left -= static_cast<std::int64_t>(got);
    }
    aside.commit();
}

void CPageArchive::AppendAllPages()
{
    for (const auto& page : m_pages) {
        if (AppendPage(*page) == 0) {
            return;
        }
    }
}

} // namespace daylark
