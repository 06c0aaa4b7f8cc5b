#include "support/MemoryFile.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace daylark::test {

std::size_t MemoryFile::read(void* buffer, std::size_t size)
{
    const std::size_t available = m_position < data.size() ? data.size() - m_position : 0;
    const std::size_t take = std::min(size, available);
    std::memcpy(buffer, data.data() + m_position, take);
    m_position += take;
    return take;
}

void MemoryFile::write(const void* buffer, std::size_t size)
{
    if (bytesWritten + size > writeLimit) {
        throw CFileException(CFileException::diskFull, ENOSPC);
    }
    bytesWritten += size;
    if (data.size() < m_position + size) {
        data.resize(m_position + size);
    }
    std::memcpy(data.data() + m_position, buffer, size);
    m_position += size;
}

std::int64_t MemoryFile::seek(std::int64_t offset, SeekFrom from)
{
    const std::int64_t base = from == SeekFrom::Begin     ? 0
                              : from == SeekFrom::Current ? position()
                                                          : length();
    if (base + offset < 0) {
        throw CFileException(CFileException::badSeek, EINVAL);
    }
    m_position = static_cast<std::size_t>(base + offset);
    return position();
}

} // namespace daylark::test
