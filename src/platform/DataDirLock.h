#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace daylark {

/// One program at a time per data directory: an exclusive flock on ".daylark.lock" in the data
/// directory, held for the life of the object (and dropped by the kernel if the process dies).
/// The lock file is created when missing and is not part of the data set.
class DataDirLock
{
public:
    /// The name of the lock file in the data directory.
    static constexpr const char* kFileName = ".daylark.lock";

    /// Takes the lock, waiting up to `wait` while another program holds it. Returns nullopt
    /// when it is still held then, or when the lock file cannot be opened; `error`, when given,
    /// receives EWOULDBLOCK for a lock held elsewhere, else the errno of the failure (0 on
    /// success). The data directory must exist.
    static std::optional<DataDirLock> acquire(const std::string& dataDir,
                                              std::chrono::milliseconds wait, int* error = nullptr);

    ~DataDirLock();
    DataDirLock(const DataDirLock&) = delete;
    DataDirLock& operator=(const DataDirLock&) = delete;
    DataDirLock(DataDirLock&& other) noexcept;
    DataDirLock& operator=(DataDirLock&& other) noexcept;

private:
    explicit DataDirLock(int fd);
    void release();

    int m_fd = -1;
};

} // namespace daylark
