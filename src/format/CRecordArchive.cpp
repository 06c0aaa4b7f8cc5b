#include "format/CRecordArchive.h"

#include "format/Utf16.h"
#include "platform/ByteFile.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace daylark {

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint32_t kMaxMapCount = 0x3FFFFFFE;
constexpr std::size_t kMaxClassNameLength = 64;

/// A WORD tag in the form of the DWORD that follows kBigObjectTag. A WORD holds a 15-bit
/// index under the class bit 0x8000; once the indices of a pass outgrow 15 bits the writer
/// escapes to a DWORD whose class bit is bit 31. Moving the class bit up lets the reader check
/// both forms in one place. 0x7FFF, the escape itself, is never an index of the WORD form, so
/// kNewClassTag (0xFFFF) is never taken for a class described before.
std::uint32_t widenedTag(std::uint16_t shortTag)
{
    const std::uint32_t index = shortTag & ~kClassTag;
    return (shortTag & kClassTag) != 0 ? (kBigClassTag | index) : index;
}

} // namespace

CRecordArchive::CRecordArchive(ByteFile& file, Mode mode)
    : m_file(file)
    , m_mode(mode)
{}

CRecordArchive::~CRecordArchive() = default;

void CRecordArchive::requireStoring() const
{
    if (m_mode != Mode::Storing) {
        throw CArchiveException(CArchiveException::readOnly);
    }
    if (m_closed) {
        throw CArchiveException(CArchiveException::genericException);
    }
}

void CRecordArchive::requireLoading() const
{
    if (m_mode != Mode::Loading) {
        throw CArchiveException(CArchiveException::writeOnly);
    }
    if (m_closed) {
        throw CArchiveException(CArchiveException::genericException);
    }
}

void CRecordArchive::throwInvalidFormat()
{
    throw CArchiveException(CArchiveException::badIndex);
}

// ---- storing ----

void CRecordArchive::writeBytes(const void* data, std::size_t size)
{
    requireStoring();
    // A value never straddles a flush: when it does not fit, the buffer goes out first.
    if (m_end + size > kBufferSize) {
        Flush();
    }
    if (size > kBufferSize) {
        m_file.write(data, size);
        return;
    }
    std::memcpy(m_buffer.data() + m_end, data, size);
    m_end += size;
}

void CRecordArchive::writeByte(std::uint8_t value)
{
    writeBytes(&value, 1);
}

void CRecordArchive::writeWord(std::uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value),
                                    static_cast<unsigned char>(value >> 8)};
    writeBytes(bytes, 2);
}

void CRecordArchive::writeDword(std::uint32_t value)
{
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    writeBytes(bytes, 4);
}

void CRecordArchive::writeLong(std::int32_t value)
{
    writeDword(static_cast<std::uint32_t>(value));
}

void CRecordArchive::writeTime(std::int64_t time)
{
    if (time < std::numeric_limits<std::int32_t>::min() ||
        time > std::numeric_limits<std::int32_t>::max()) {
        throw CTimeRangeException(time);
    }
    writeLong(static_cast<std::int32_t>(time));
}

void CRecordArchive::writeString(std::string_view text)
{
    const std::size_t n = text.size();
    if (n < 0xFF) {
        writeByte(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        writeByte(0xFF);
        writeWord(static_cast<std::uint16_t>(n));
    } else {
        if (n > std::numeric_limits<std::uint32_t>::max()) {
            throw CArchiveException(CArchiveException::genericException);
        }
        writeByte(0xFF);
        writeWord(0xFFFF);
        writeDword(static_cast<std::uint32_t>(n));
    }
    writeBytes(text.data(), n);
}

std::uint32_t CRecordArchive::takeIndex()
{
    if (m_lastIndex >= kMaxMapCount) {
        throw CArchiveException(CArchiveException::badIndex);
    }
    return ++m_lastIndex;
}

void CRecordArchive::WriteObject(const CObject* record)
{
    requireStoring();
    if (record == nullptr) {
        writeWord(kNullTag);
        return;
    }
    if (const auto known = m_storedObjects.find(record); known != m_storedObjects.end()) {
        const std::uint32_t index = known->second;
        if (index < kBigObjectTag) {
            writeWord(static_cast<std::uint16_t>(index));
        } else {
            writeWord(kBigObjectTag);
            writeDword(index);
        }
        return;
    }
    const ClassInfo& info = record->classInfo();
    if (const auto known = m_storedClasses.find(info.name); known != m_storedClasses.end()) {
        const std::uint32_t index = known->second;
        if (index < kBigObjectTag) {
            writeWord(static_cast<std::uint16_t>(kClassTag | index));
        } else {
            writeWord(kBigObjectTag);
            writeDword(kBigClassTag | index);
        }
    } else {
        writeWord(kNewClassTag);
        writeWord(info.schema);
        writeWord(static_cast<std::uint16_t>(info.name.size()));
        writeBytes(info.name.data(), info.name.size());
        m_storedClasses.emplace(info.name, takeIndex());
    }
    m_storedObjects.emplace(record, takeIndex());
    // Serialize is not const: the same object serves both directions.
    const_cast<CObject*>(record)->Serialize(*this);
}

// ---- loading ----

bool CRecordArchive::isAvailable(std::uint64_t size)
{
    const std::size_t buffered = m_end - m_begin;
    if (size <= buffered) {
        return true;
    }
    const std::int64_t left = m_file.length() - m_file.position();
    return left >= 0 && size - buffered <= static_cast<std::uint64_t>(left);
}

void CRecordArchive::requireAvailable(std::uint64_t size)
{
    if (!isAvailable(size)) {
        throw CArchiveException(CArchiveException::endOfFile);
    }
}

void CRecordArchive::readBytes(void* data, std::size_t size)
{
    requireLoading();
    auto* out = static_cast<unsigned char*>(data);
    while (size > 0) {
        if (m_begin == m_end) {
            if (size >= kBufferSize) {
                // Large texts go straight into their destination.
                const std::size_t got = m_file.read(out, size);
                if (got < size) {
                    throw CArchiveException(CArchiveException::endOfFile);
                }
                return;
            }
            m_begin = 0;
            m_end = m_file.read(m_buffer.data(), kBufferSize);
            if (m_end == 0) {
                throw CArchiveException(CArchiveException::endOfFile);
            }
        }
        const std::size_t take = std::min(size, m_end - m_begin);
        std::memcpy(out, m_buffer.data() + m_begin, take);
        m_begin += take;
        out += take;
        size -= take;
    }
}

std::uint8_t CRecordArchive::readByte()
{
    unsigned char byte = 0;
    readBytes(&byte, 1);
    return byte;
}

std::uint16_t CRecordArchive::readWord()
{
    unsigned char bytes[2] = {};
    readBytes(bytes, 2);
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t CRecordArchive::readDword()
{
    unsigned char bytes[4] = {};
    readBytes(bytes, 4);
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::int32_t CRecordArchive::readLong()
{
    return static_cast<std::int32_t>(readDword());
}

std::int64_t CRecordArchive::readTime()
{
    return readLong();
}

std::uint32_t CRecordArchive::readStringLength(bool allowWide, bool& wide)
{
    const std::uint8_t byte = readByte();
    if (byte < 0xFF) {
        return byte;
    }
    const std::uint16_t word = readWord();
    if (word == 0xFFFE) {
        // The wide form: a second length prefix follows, counting 16-bit units.
        if (!allowWide) {
            throwInvalidFormat();
        }
        wide = true;
        return readStringLength(false, wide);
    }
    if (word < 0xFFFE) {
        return word;
    }
    return readDword();
}

std::string CRecordArchive::readString()
{
    requireLoading();
    bool wide = false;
    const std::uint32_t length = readStringLength(true, wide);
    const std::uint64_t bytes = wide ? 2ull * length : length;
    // Check the length against the bytes left before allocating: a corrupt prefix must not
    // cost 4 GB.
    requireAvailable(bytes);
    try {
        if (!wide) {
            std::string text(length, '\0');
            readBytes(text.data(), length);
            return text;
        }
        std::vector<unsigned char> units(static_cast<std::size_t>(bytes));
        readBytes(units.data(), units.size());
        return utf16LeToUtf8(units);
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
}

CRecordArchive::ReadResult CRecordArchive::ReadObject(const ClassInfo& expected)
{
    requireLoading();
    const std::uint16_t shortTag = readWord();
    const std::uint32_t tag = shortTag == kBigObjectTag ? readDword() : widenedTag(shortTag);

    if ((tag & kBigClassTag) == 0) {
        // A reference to a record read earlier in this pass, or no record at all.
        const std::uint32_t objectIndex = tag;
        if (objectIndex > m_lastIndex) {
            throw CArchiveException(CArchiveException::badIndex);
        }
        if (objectIndex == 0) {
            return {};
        }
        const LoadEntry& entry = m_loaded[objectIndex - 1];
        if (entry.object == nullptr) {
            throw CArchiveException(CArchiveException::badIndex);
        }
        if (entry.className != expected.name) {
            throw CArchiveException(CArchiveException::badClass);
        }
        return {nullptr, entry.object};
    }

    const std::string_view className =
        shortTag == kNewClassTag ? readClassDescription() : classOfIndex(tag & ~kBigClassTag);
    if (className != expected.name) {
        throw CArchiveException(CArchiveException::badClass);
    }
    std::unique_ptr<CObject> record;
    try {
        record = expected.create();
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
    addLoaded({className, record.get()});
    record->Serialize(*this);
    CObject* object = record.get();
    return {std::move(record), object};
}

std::string_view CRecordArchive::readClassDescription()
{
    const std::uint16_t schema = readWord();
    const std::uint16_t nameLength = readWord();
    if (nameLength >= kMaxClassNameLength || !isAvailable(nameLength)) {
        throw CArchiveException(CArchiveException::badClass);
    }
    char name[kMaxClassNameLength] = {};
    readBytes(name, nameLength);
    const KnownClass* known = findKnownClass(std::string_view(name, nameLength));
    if (known == nullptr) {
        throw CArchiveException(CArchiveException::badClass);
    }
    if (schema != known->schema) {
        throw CArchiveException(CArchiveException::badSchema);
    }
    addLoaded({known->name, nullptr});
    return known->name;
}

std::string_view CRecordArchive::classOfIndex(std::uint32_t classIndex) const
{
    if (classIndex == 0 || classIndex > m_lastIndex || m_loaded[classIndex - 1].object != nullptr) {
        throw CArchiveException(CArchiveException::badIndex);
    }
    return m_loaded[classIndex - 1].className;
}

void CRecordArchive::addLoaded(const LoadEntry& entry)
{
    if (m_loaded.size() >= kMaxMapCount) {
        throw CArchiveException(CArchiveException::badIndex);
    }
    m_loaded.push_back(entry);
    m_lastIndex = static_cast<std::uint32_t>(m_loaded.size());
}

void CRecordArchive::Flush()
{
    if (m_closed) {
        return;
    }
    if (m_mode == Mode::Storing) {
        if (m_end > 0) {
            const std::size_t size = std::exchange(m_end, 0);
            m_file.write(m_buffer.data(), size);
        }
        return;
    }
    if (m_end > m_begin) {
        m_file.seek(-static_cast<std::int64_t>(m_end - m_begin), SeekFrom::Current);
    }
    m_begin = m_end = 0;
}

void CRecordArchive::Close()
{
    if (m_closed) {
        return;
    }
    Flush();
    m_closed = true;
}

} // namespace daylark
