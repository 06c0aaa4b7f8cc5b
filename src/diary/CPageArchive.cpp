#include "diary/CPageArchive.h"

#include "diary/ArchiveScan.h"
#include "format/CRecordArchive.h"
#include "platform/Clock.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>

namespace daylark {

namespace {

constexpr FailureContext kCreating{"File Exception, %d, Creating Daylark archive.",
                                   "Archive Exception, %d, Creating Daylark archive.",
                                   "Memory exception creating a daylark archive"};
constexpr FailureContext kLooking{"File Exception, %d, looking for page",
                                  "Archive Exception, %d, looking for page",
                                  "Memory exception looking for a daylark page"};
constexpr const FailureContext& kReading = CPageArchive::kReadingContext;
constexpr const FailureContext& kArchiving = CPageArchive::kArchivingContext;

/// The local calendar date of t as one comparable number (year, month, day).
long localDateKey(std::int64_t t)
{
    const TimeFields fields = breakDown(t, /*greenwich=*/false);
    return (static_cast<long>(fields.year) * 100 + fields.month) * 100 + fields.day;
}

[[noreturn]] void throwBrokenChain()
{
    throw CArchiveException(CArchiveException::badIndex);
}

} // namespace

std::string CPageArchive::notAnArchiveText(const std::string& archivePath)
{
    return archivePath + " does not begin with an archive header (the value at offset 12 is not " +
           std::to_string(kFirstEntryOffset) + "): it is damaged.";
}

CPageArchive::CPageArchive(std::string fileName, MessageSink& messages, const Clock& clock)
    : m_fileName(std::move(fileName))
    , m_messages(messages)
    , m_created(clock.now())
    , m_clock(clock)
{}

CPageArchive::~CPageArchive()
{
    Close();
}

int CPageArchive::Open(bool loading, bool create)
{
    return open(loading, create, nullptr);
}

void CPageArchive::report(const std::string& message, std::string* failure)
{
    if (failure != nullptr) {
        *failure = message;
        return;
    }
    m_messages.error(message);
}

int CPageArchive::open(bool loading, bool create, std::string* failure)
{
    Close();
    if (!fileStatus(m_fileName).exists) {
        if (!create) {
            return 1;
        }
        try {
            m_file = std::make_unique<File>(m_fileName, File::Mode::Create);
        } catch (const CException& error) {
            report(kCreating.message(error), failure);
            return 1;
        }
    } else {
        try {
            m_file = std::make_unique<File>(m_fileName,
                                            loading ? File::Mode::Read : File::Mode::ReadWrite);
        } catch (const CException& error) {
            report(kLooking.message(error), failure);
            return 1;
        }
    }

    m_archive = std::make_unique<CRecordArchive>(*m_file, loading ? CRecordArchive::Mode::Loading
                                                                  : CRecordArchive::Mode::Storing);
    // Opened for writing, only the header of a new archive is written here: its failure (a
    // full disk) is one of archiving the page, not of reading one.
    const FailureContext& context = loading ? kReading : kArchiving;
    try {
        if (m_version > 100) {
            const std::int64_t length = m_file->length();
            if (loading && length >= kArchiveHeaderSize) {
                const std::int64_t created = m_archive->readTime();
                const std::uint32_t reserved = m_archive->readDword();
                const std::uint32_t version = m_archive->readDword();
                m_archive->Flush();
                m_created = created;
                m_reserved = reserved;
                m_version = version;
                m_dataStart = m_file->position();
            } else if (!loading && length == 0) {
                writeHeader();
            }
        }
        return 0;
    } catch (const CException& error) {
        report(context.message(error), failure);
    } catch (const std::bad_alloc&) {
        report(context.message(CMemoryException()), failure);
    }
    abandon();
    return 1;
}

void CPageArchive::writeHeader()
{
    m_archive->writeTime(m_created);
    m_archive->writeDword(m_reserved);
    m_archive->writeDword(m_version);
    m_archive->Flush();
    m_dataStart = m_file->position();
}

void CPageArchive::Close()
{
    if (m_archive) {
        try {
            m_archive->Close();
        } catch (const CException& failure) {
            m_messages.error(kReading.message(failure));
        }
        m_archive.reset();
    }
    if (m_file) {
        try {
            m_file->close();
        } catch (const CException& failure) {
            m_messages.error(kReading.message(failure));
        }
        m_file.reset();
    }
    m_knownEnd.reset();
}

void CPageArchive::abandon()
{
    m_archive.reset();
    m_file.reset();
    m_knownEnd.reset();
}

void CPageArchive::cache(std::int64_t position, std::int64_t previousStart, std::int64_t nextStart,
                         std::optional<long> dateKey, bool first)
{
    m_position = position;
    m_previousStart = previousStart;
    m_nextStart = nextStart;
    m_cachedDateKey = dateKey;
    m_cachedFirst = first;
}

const ArchiveEnd& CPageArchive::knownEnd()
{
    const std::int64_t length = m_file->length();
    if (!m_knownEnd || length != m_knownLength) {
        m_knownEnd = findArchiveEnd(*m_file);
        m_knownLength = length;
    }
    return *m_knownEnd;
}

std::int64_t CPageArchive::FindPage(std::unique_ptr<CDaylarkPage>& page, std::int64_t date,
                                    bool fromEnd, bool backward, bool takeAny)
{
    page.reset();
    if (!m_archive || !m_archive->IsLoading()) {
        return -1;
    }
    try {
        return walk(page, date, fromEnd, backward, takeAny);
    } catch (const CException& failure) {
        m_messages.error(kReading.message(failure));
    } catch (const std::bad_alloc&) {
        m_messages.error(kReading.message(CMemoryException()));
    }
    page.reset();
    return -1;
}

std::optional<CPageArchive::WalkStep> CPageArchive::firstStep(std::int64_t lastStart,
                                                              std::int64_t dataEnd, bool fromEnd,
                                                              bool backward, bool takeAny) const
{
    if (fromEnd) {
        return WalkStep{lastStart - 4, -1};
    }
    if (!backward) {
        if (m_nextStart > dataEnd) {
            return std::nullopt;
        }
        return WalkStep{m_position, -1};
    }
    if (m_previousStart < kFirstEntryOffset || m_previousStart > dataEnd) {
        return std::nullopt;
    }
    if (!takeAny || m_position <= kArchiveHeaderSize) {
        return WalkStep{m_position, -1};
    }
    // The step back must go back, or a walk could read one entry forever.
    if (m_previousStart - 4 >= m_position) {
        throwBrokenChain();
    }
    return WalkStep{m_previousStart - 4, m_position + 4};
}

CPageArchive::ChainEntry CPageArchive::readChainEntry(const WalkStep& step, std::int64_t dataEnd,
                                                      std::unique_ptr<CDaylarkPage>& page)
{
    const std::int64_t position = step.position;
    if (position < kArchiveHeaderSize || position + 4 >= dataEnd) {
        throwBrokenChain();
    }
    m_file->seek(position, SeekFrom::Begin);
    const std::int64_t start = position + 4;
    const std::int64_t previous = m_archive->readDword();
    const std::int64_t next = m_archive->readDword();
    page = m_archive->ReadNewObject<CDaylarkPage>();
    const std::int64_t trailing = m_archive->readDword();
    m_archive->Flush();
    const std::int64_t end = m_file->position();

    // The entry must be whole and its offsets must agree with where it really ends; only the
    // last entry may still hold the placeholder of an append that stopped early. A backward
    // step must land on the entry that ends where the one it left begins.
    const bool placeholder = next == start && end == dataEnd;
    if (trailing != start || end > dataEnd || (next != end && !placeholder) ||
        (step.cameFrom >= 0 && end != step.cameFrom)) {
        throwBrokenChain();
    }
    // Only the first entry has none before it; any other must point back, not into the header.
    const bool first = position == kArchiveHeaderSize;
    if (!first && (previous < kFirstEntryOffset || previous >= position)) {
        throwBrokenChain();
    }
    return {first ? start : previous, end, first};
}

std::int64_t CPageArchive::walk(std::unique_ptr<CDaylarkPage>& page, std::int64_t date,
                                bool fromEnd, bool backward, bool takeAny)
{
    // The scan below moves the file under the pass: nothing may stay buffered.
    m_archive->Flush();
    const ArchiveEnd& end = knownEnd();
    if (end.notAnArchive) {
        m_messages.error(kReading.message(CArchiveException(CArchiveException::badIndex)) + "\n" +
                         notAnArchiveText(m_fileName));
        return -1;
    }
    if (!end.last) {
        return -1;
    }
    // A torn tail is no part of the chain: walks end at the last complete entry.
    const std::int64_t dataEnd = end.last->end;
    auto step = firstStep(end.last->start, dataEnd, fromEnd, backward, takeAny);
    if (!step) {
        return -1;
    }
    const long dateKey = localDateKey(date);
    // Stepping from the entry found last: its date is known, so unless it is the day asked for
    // the walk moves on (or stops) without reading it again.
    if (!fromEnd && !takeAny && step->position == m_position && m_cachedDateKey &&
        *m_cachedDateKey != dateKey) {
        const bool dateLater = dateKey > *m_cachedDateKey;
        const bool chainEnds = backward ? m_cachedFirst : m_nextStart >= dataEnd;
        if ((backward ? dateLater : !dateLater) || chainEnds) {
            return -1;
        }
        step = backward ? WalkStep{m_previousStart - 4, m_position + 4}
                        : WalkStep{m_nextStart - 4, -1};
    }
    for (;;) {
        const ChainEntry entry = readChainEntry(*step, dataEnd, page);
        const long pageKey = localDateKey(page->Date);
        if (takeAny || pageKey == dateKey) {
            cache(step->position, entry.previousStart, entry.end, pageKey, entry.first);
            return step->position;
        }
        const bool dateLater = dateKey > pageKey;
        const bool chainEnds = backward ? entry.first : entry.end >= dataEnd;
        if ((backward ? dateLater : !dateLater) || chainEnds) {
            cache(step->position, entry.previousStart, entry.end, pageKey, entry.first);
            page.reset();
            return -1;
        }
        step = backward ? WalkStep{entry.previousStart - 4, step->position + 4}
                        : WalkStep{entry.end - 4, -1};
    }
}

std::size_t CPageArchive::LoadAllPages()
{
    if (Open(true, false) != 0) {
        return 0;
    }
    std::vector<std::unique_ptr<CDaylarkPage>> found; // last entry first
    std::unique_ptr<CDaylarkPage> page;
    const std::int64_t now = m_clock.now();
    std::int64_t position = FindPage(page, now, /*fromEnd=*/true, /*backward=*/true,
                                     /*takeAny=*/true);
    while (position > 0) {
        found.push_back(std::move(page));
        if (m_position < m_previousStart) {
            break; // the first entry has been read
        }
        position = FindPage(page, now, /*fromEnd=*/false, /*backward=*/true, /*takeAny=*/true);
    }
    m_pages.insert(m_pages.begin(), std::make_move_iterator(found.rbegin()),
                   std::make_move_iterator(found.rend()));
    Close();
    return found.size();
}

} // namespace daylark
