#pragma once

#include "platform/ByteFile.h"

#include <cstdint>
#include <limits>
#include <string>

namespace daylark::test {

/// A file in memory. Writes can be made to fail after a number of bytes, as a full disk would.
class MemoryFile : public ByteFile
{
public:
    explicit MemoryFile(std::string bytes = {})
        : data(std::move(bytes))
    {}

    std::size_t read(void* buffer, std::size_t size) override;
    void write(const void* buffer, std::size_t size) override;
    std::int64_t seek(std::int64_t offset, SeekFrom from) override;
    std::int64_t position() override { return static_cast<std::int64_t>(m_position); }
    std::int64_t length() override { return static_cast<std::int64_t>(data.size()); }

    std::string data;
    /// Writes beyond this many bytes in total fail with "The Disk is Full!".
    std::size_t writeLimit = std::numeric_limits<std::size_t>::max();
    std::size_t bytesWritten = 0;

private:
    std::size_t m_position = 0;
};

} // namespace daylark::test
