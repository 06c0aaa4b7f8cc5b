#include "platform/File.h"

#include "platform/Exceptions.h"
#include "platform/WriteFaults.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace daylark {

File::File(const std::string& path, Mode mode)
{
    open(path, mode);
}

File::~File()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

File::File(File&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

void File::open(const std::string& path, Mode mode)
{
    if (m_fd >= 0) {
        ::close(std::exchange(m_fd, -1));
    }
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::Read:
        flags |= O_RDONLY;
        break;
    case Mode::ReadWrite:
        flags |= O_RDWR;
        break;
    case Mode::Create:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    }
    if (mode != Mode::Read) {
        if (const WriteFault fault = writeFault(WriteCall::Open); fault.error != 0) {
            throw CFileException::fromErrno(fault.error);
        }
    }
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throw CFileException::fromErrno(errno);
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw CFileException(CFileException::accessDenied, EISDIR);
    }
    m_fd = fd;
}

void File::close()
{
    if (m_fd < 0) {
        return;
    }
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0 && errno != EINTR) {
        throw CFileException::fromErrno(errno);
    }
}

void File::sync()
{
    requireOpen();
    const WriteFault fault = writeFault(WriteCall::Sync);
    if (fault.error != 0) {
        throw CFileException::fromErrno(fault.error);
    }
    if (!fault.skip && ::fsync(m_fd) != 0) {
        throw CFileException::fromErrno(errno);
    }
}

void File::truncate(std::int64_t size)
{
    requireOpen();
    if (const WriteFault fault = writeFault(WriteCall::Truncate); fault.error != 0) {
        throw CFileException::fromErrno(fault.error);
    }
    if (::ftruncate(m_fd, static_cast<off_t>(size)) != 0) {
        throw CFileException::fromErrno(errno);
    }
}

std::size_t File::read(void* buffer, std::size_t size)
{
    requireOpen();
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(m_fd, out + done, size - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw CFileException::fromErrno(errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void File::write(const void* buffer, std::size_t size)
{
    requireOpen();
    const auto* in = static_cast<const char*>(buffer);
    const WriteFault fault = writeFault(WriteCall::Write, size);
    // A failing write may get part of its bytes out first, never all of them.
    const std::size_t end = fault.error == 0 ? size
                            : size == 0      ? 0
                                             : std::min(fault.bytesBefore, size - 1);
    std::size_t done = 0;
    while (done < end) {
        const ssize_t n = ::write(m_fd, in + done, end - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw CFileException::fromErrno(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (fault.error != 0) {
        throw CFileException::fromErrno(fault.error);
    }
}

std::int64_t File::seek(std::int64_t offset, SeekFrom from)
{
    requireOpen();
    const int whence = from == SeekFrom::Begin     ? SEEK_SET
                       : from == SeekFrom::Current ? SEEK_CUR
                                                   : SEEK_END;
    const off_t result = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (result < 0) {
        throw CFileException(CFileException::badSeek, errno);
    }
    return result;
}

std::int64_t File::position()
{
    return seek(0, SeekFrom::Current);
}

std::int64_t File::length()
{
    requireOpen();
    struct stat info
    {
    };
    if (::fstat(m_fd, &info) != 0) {
        throw CFileException::fromErrno(errno);
    }
    return info.st_size;
}

void File::requireOpen() const
{
    if (m_fd < 0) {
        throw CFileException(CFileException::invalidFile, EBADF);
    }
}

} // namespace daylark
