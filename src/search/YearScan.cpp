#include "search/YearScan.h"

#include "diary/ArchiveScan.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace daylark {

namespace {

/// Every entry filed in a pass of its own starts its record with the full class description.
constexpr unsigned char kPageClass[] = {0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00, 'C', 'D', 'a',
                                        'y',  'l',  'a',  'r',  'k',  'P',  'a', 'g', 'e'};
constexpr std::int64_t kClassSize = sizeof(kPageClass);
/// From an entry's start to its length prefix: its end, the class, the version and the date.
constexpr std::int64_t kTextPrefixAt = kEntryOffsetSize + kClassSize + 4 + 4;
/// The shortest entry: an empty text has a one-byte length.
constexpr std::int64_t kMinEntrySize = kTextPrefixAt + 1 + kEntryOffsetSize;
/// Read in blocks of this size from the end backward: a few reads a year, and a block stays in
/// the processor's cache while its entries are matched.
constexpr std::int64_t kBlockSize = 256 * 1024;
/// A page two days after the limit lies on a later local day in every zone (no offset change
/// comes near two days), so only pages near the limit need their local day worked out.
constexpr std::int64_t kSurelyLaterDay = 2 * 86400;

std::uint32_t littleEndian32(const unsigned char* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

/// The bytes of a file from some offset up to another, read in blocks going backward.
class BackwardWindow
{
public:
    explicit BackwardWindow(File& file)
        : m_file(file)
    {}

    /// Makes [from, to) readable, reading a block that ends at `to` when it is not yet in;
    /// false when the file gives fewer bytes (it was cut meanwhile). The caller keeps `to`
    /// within the file's length, so the buffer is never larger than the file.
    bool cover(std::int64_t from, std::int64_t to)
    {
        if (from >= m_begin && to <= m_end) {
            return true;
        }
        const std::int64_t begin = std::min(from, std::max<std::int64_t>(0, to - kBlockSize));
        const auto size = static_cast<std::size_t>(to - begin);
        if (m_bytes.size() < size) {
            m_bytes.resize(size);
        }
        m_file.seek(begin, SeekFrom::Begin);
        if (m_file.read(m_bytes.data(), size) != size) {
            return false;
        }
        m_begin = begin;
        m_end = to;
        return true;
    }
    const unsigned char* at(std::int64_t offset) const
    {
        return m_bytes.data() + (offset - m_begin);
    }
    std::int64_t dword(std::int64_t offset) const { return littleEndian32(at(offset)); }

private:
    File& m_file;
    std::vector<unsigned char> m_bytes;
    std::int64_t m_begin = 0;
    std::int64_t m_end = 0;
};

struct PlainEntry
{
    std::int64_t previousStart;
    std::int64_t date;
    std::string_view text;
};

/// The entry [start, end) when it is whole and plainly written: its offsets agree, its record
/// has the full class description and an 8-bit text that ends just before the trailing
/// offset. The window covers [start - 4, end), and the entry is at least kMinEntrySize long.
std::optional<PlainEntry> plainEntry(const BackwardWindow& window, std::int64_t start,
                                     std::int64_t end)
{
    // The trailing offset is the one the walk came by (the file's last DWORD or the previous
    // start read from the entry after), so it holds `start` already.
    if (window.dword(start) != end ||
        std::memcmp(window.at(start + kEntryOffsetSize), kPageClass, kClassSize) != 0) {
        return std::nullopt;
    }
    const auto date =
        static_cast<std::int32_t>(littleEndian32(window.at(kTextPrefixAt - 4 + start)));
    const unsigned char* prefix = window.at(start + kTextPrefixAt);
    const unsigned char* const textEnd = window.at(end - kEntryOffsetSize);
    std::uint64_t length = prefix[0];
    const unsigned char* text = prefix + 1;
    if (prefix[0] == 0xFF) {
        if (textEnd - prefix < 3) {
            return std::nullopt;
        }
        const unsigned word = prefix[1] | static_cast<unsigned>(prefix[2]) << 8;
        if (word == 0xFFFE) {
            return std::nullopt; // a wide text: its bytes are not those the terms are matched in
        }
        length = word;
        text = prefix + 3;
        if (word == 0xFFFF) {
            if (textEnd - prefix < 7) {
                return std::nullopt;
            }
            length = littleEndian32(prefix + 3);
            text = prefix + 7;
        }
    }
    if (length != static_cast<std::uint64_t>(textEnd - text)) {
        return std::nullopt;
    }
    return PlainEntry{window.dword(start - kEntryOffsetSize),
                      date,
                      {reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)}};
}

/// Whether the DWORD at offset 12 is 16, as in every archive header: a file without it is
/// damaged as a whole, however well its end reads.
bool hasArchiveHeader(File& file)
{
    unsigned char bytes[kEntryOffsetSize] = {};
    file.seek(kArchiveHeaderSize, SeekFrom::Begin);
    if (file.read(bytes, sizeof bytes) != sizeof bytes) {
        return false;
    }
    const std::uint32_t value =
        bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return value == kFirstEntryOffset;
}

std::optional<std::vector<WalkedPage>> scan(File& file, const PageFilter& filter,
                                            WalkBudget& budget)
{
    const std::int64_t length = file.length();
    if (length < kFirstEntryOffset + kMinEntrySize || !hasArchiveHeader(file)) {
        return std::nullopt; // read entry by entry, which says what is wrong
    }
    BackwardWindow window(file);
    if (!window.cover(length - kEntryOffsetSize, length)) {
        return std::nullopt;
    }
    std::int64_t end = length;
    std::int64_t start = window.dword(length - kEntryOffsetSize);
    WalkBudget left = budget;
    std::vector<WalkedPage> pages;
    for (;;) {
        // Each step goes back to an entry that ends where the one left begins; the first entry
        // starts at 16, just after the header.
        if (start < kFirstEntryOffset || end - start < kMinEntrySize ||
            !window.cover(start - kEntryOffsetSize, end)) {
            return std::nullopt;
        }
        const auto entry = plainEntry(window, start, end);
        if (!entry) {
            return std::nullopt;
        }
        const bool first = start == kFirstEntryOffset;
        if (!first && (entry->previousStart < kFirstEntryOffset ||
                       entry->previousStart >= start - kEntryOffsetSize)) {
            return std::nullopt;
        }
        const bool matched = filter.matches(entry->text);
        const bool last = filter.newestOnly || filter.beforeLimit(entry->date);
        if (matched || last) {
            pages.push_back(
                {entry->date, matched ? std::string(entry->text) : std::string(), matched, last});
        }
        if (matched) {
            left.take(entry->text.size());
        }
        if (last || first || left.spent()) {
            break;
        }
        end = start;
        start = entry->previousStart;
    }
    budget = left;
    return pages;
}

} // namespace

bool PageFilter::beforeLimit(std::int64_t date) const
{
    return date < limit + kSurelyLaterDay && localDayNumber(date) < limitDay;
}

void WalkBudget::take(std::size_t textSize)
{
    matches = matches > 0 ? matches - 1 : 0;
    textBytes -= std::min(textBytes, textSize);
}

} // namespace daylark

std::optional<std::vector<daylark::WalkedPage>>
daylark::scanYearArchive(const std::string& path, const PageFilter& filter, WalkBudget& budget)
{
    try {
        File file(path, File::Mode::Read);
        return scan(file, filter, budget);
    } catch (const CException&) {
    } catch (const std::bad_alloc&) {
    }
    return std::nullopt;
}
