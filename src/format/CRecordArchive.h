#pragma once

#include "format/CObject.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace daylark {

class ByteFile;

/// One pass of the record stream over an open file, in one direction. Values are little-endian
/// with no padding; records are framed with class descriptions and back references numbered
/// per pass. The file is opened, positioned and closed by its owner, not by the pass.
///
/// Every failure throws: CFileException from the file, CArchiveException for the format,
/// CMemoryException when a record cannot be made, CTimeRangeException for a time that does
/// not fit 32 bits. A length, count or index read from the file is checked against what is
/// left of the file before anything is allocated.
class CRecordArchive
{
public:
    enum class Mode { Storing, Loading };
    static constexpr std::size_t kBufferSize = 4096;

    CRecordArchive(ByteFile& file, Mode mode);
    ~CRecordArchive();
    CRecordArchive(const CRecordArchive&) = delete;
    CRecordArchive& operator=(const CRecordArchive&) = delete;

    bool IsLoading() const { return m_mode == Mode::Loading; }
    bool IsStoring() const { return m_mode == Mode::Storing; }

    void writeByte(std::uint8_t value);
    void writeWord(std::uint16_t value);
    void writeDword(std::uint32_t value);
    void writeLong(std::int32_t value);
    /// Throws CTimeRangeException when `time` does not fit a signed 32-bit count.
    void writeTime(std::int64_t time);
    void writeString(std::string_view text);

    std::uint8_t readByte();
    std::uint16_t readWord();
    std::uint32_t readDword();
    std::int32_t readLong();
    std::int64_t readTime();
    /// Reads the 8-bit form or the wide (UTF-16LE) form, which is converted to UTF-8 with an
    /// unpaired surrogate becoming U+FFFD.
    std::string readString();

    /// Writes `record` (null for no record) with its class description or a reference.
    void WriteObject(const CObject* record);

    /// What ReadObject found: a new record the caller owns, a record this pass already read
    /// (borrowed; it is only valid while its owner keeps it), or nothing (a null tag).
    struct ReadResult
    {
        std::unique_ptr<CObject> owned;
        CObject* object = nullptr;
        bool isNew() const { return owned != nullptr; }
    };
    /// Reads one record that must be of class `expected`.
    ReadResult ReadObject(const ClassInfo& expected);

    /// Reads a new record of class T. A null tag or a reference to a record read before is
    /// not a new record and fails as an invalid format (archive cause 5).
    template <class T> std::unique_ptr<T> ReadNewObject()
    {
        ReadResult result = ReadObject(T::kClass);
        if (!result.isNew()) {
            throwInvalidFormat();
        }
        return std::unique_ptr<T>(static_cast<T*>(result.owned.release()));
    }

    /// Storing: writes the buffered bytes to the file. Loading: moves the file back to the
    /// first byte not yet consumed, so the file position equals the read position.
    void Flush();
    /// Flushes a storing pass; the pass cannot be used afterwards.
    void Close();

private:
    struct LoadEntry
    {
        std::string_view className; ///< a known class's static name
        CObject* object = nullptr;  ///< null for a class entry
    };

    void requireStoring() const;
    void requireLoading() const;
    void writeBytes(const void* data, std::size_t size);
    void readBytes(void* data, std::size_t size);
    bool isAvailable(std::uint64_t size);
    /// Fails with end of file unless `size` more bytes can be read.
    void requireAvailable(std::uint64_t size);
    std::uint32_t readStringLength(bool allowWide, bool& wide);
    std::uint32_t takeIndex();
    /// Reads a new class description (schema, name) and enters it; returns the class's name.
    std::string_view readClassDescription();
    /// The name of the class described earlier in this pass under `classIndex`.
    std::string_view classOfIndex(std::uint32_t classIndex) const;
    void addLoaded(const LoadEntry& entry);
    [[noreturn]] static void throwInvalidFormat();

    ByteFile& m_file;
    const Mode m_mode;
    bool m_closed = false;
    std::array<unsigned char, kBufferSize> m_buffer{};
    std::size_t m_begin = 0; ///< loading: first unread byte in the buffer
    std::size_t m_end = 0;   ///< loading: end of the buffered bytes; storing: bytes buffered

    std::uint32_t m_lastIndex = 0;
    std::unordered_map<const CObject*, std::uint32_t> m_storedObjects;
    std::unordered_map<std::string_view, std::uint32_t> m_storedClasses;
    std::vector<LoadEntry> m_loaded; ///< index i at position i - 1
};

} // namespace daylark
