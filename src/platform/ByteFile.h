#pragma once

#include <cstddef>
#include <cstdint>

namespace daylark {

enum class SeekFrom { Begin, Current, End };

/// An open file as the record stream sees it. `File` is the real one; tests put a device in
/// between that fails after a number of bytes. Every failure throws CFileException.
class ByteFile
{
public:
    virtual ~ByteFile() = default;
    /// Reads up to `size` bytes; fewer only at the end of the file.
    virtual std::size_t read(void* buffer, std::size_t size) = 0;
    /// Writes all `size` bytes or throws.
    virtual void write(const void* buffer, std::size_t size) = 0;
    /// Moves the position; returns the new position.
    virtual std::int64_t seek(std::int64_t offset, SeekFrom from) = 0;
    virtual std::int64_t position() = 0;
    virtual std::int64_t length() = 0;
};

} // namespace daylark
