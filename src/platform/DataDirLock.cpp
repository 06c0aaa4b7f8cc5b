#include "platform/DataDirLock.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace daylark {

namespace {

constexpr auto kRetryInterval = std::chrono::milliseconds(50);

// One non-blocking attempt; 0, EWOULDBLOCK or another errno.
int tryLock(int fd)
{
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return 0;
        }
        if (errno != EINTR) {
            return errno;
        }
    }
}

} // namespace

std::optional<DataDirLock> DataDirLock::acquire(const std::string& dataDir,
                                                std::chrono::milliseconds wait, int* error)
{
    int ignored = 0;
    int& result = error != nullptr ? *error : ignored;
    const std::string path = joinPath(dataDir, kFileName);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        result = errno;
        return std::nullopt;
    }
    DataDirLock lock(fd);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        result = tryLock(fd);
        if (result == 0) {
            return lock;
        }
        const auto now = std::chrono::steady_clock::now();
        if (result != EWOULDBLOCK || now >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kRetryInterval, deadline - now));
    }
}

DataDirLock::DataDirLock(int fd)
    : m_fd(fd)
{}

DataDirLock::~DataDirLock()
{
    release();
}

DataDirLock::DataDirLock(DataDirLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{}

DataDirLock& DataDirLock::operator=(DataDirLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

void DataDirLock::release()
{
    if (m_fd >= 0) {
        // Closing the only descriptor of the open file drops the lock.
        ::close(std::exchange(m_fd, -1));
    }
}

} // namespace daylark
