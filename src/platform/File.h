#pragma once

#include "platform/ByteFile.h"

#include <string>

namespace daylark {

/// A file on disk behind a POSIX descriptor, closed by its destructor. Failures throw
/// CFileException with the cause code of their errno.
class File : public ByteFile
{
public:
    enum class Mode {
        Read,      ///< read only; the file must exist
        ReadWrite, ///< read and write without truncation; the file must exist
        Create,    ///< read and write; created (mode 0600) or truncated
    };

    File() = default;
    File(const std::string& path, Mode mode);
    ~File() override;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;

    /// Opens `path`, closing what was open before.
    void open(const std::string& path, Mode mode);
    bool isOpen() const { return m_fd >= 0; }
    /// Closes the file; a failure of close(2) is reported (a full disk may show only here).
    void close();
    /// Flushes the file's data to the disk (fsync).
    void sync();
    /// Cuts the file to `size` bytes.
    void truncate(std::int64_t size);
    int descriptor() const { return m_fd; }

    std::size_t read(void* buffer, std::size_t size) override;
    void write(const void* buffer, std::size_t size) override;
    std::int64_t seek(std::int64_t offset, SeekFrom from) override;
    std::int64_t position() override;
    std::int64_t length() override;

private:
    void requireOpen() const;
    int m_fd = -1;
};

} // namespace daylark
