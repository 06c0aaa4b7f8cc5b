#include "platform/AtomicFile.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/WriteFaults.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace daylark {

namespace {

// Keeps ".<name>.tmp-XXXXXX" within the 255 bytes a directory entry may have.
constexpr std::size_t kMaxStemLength = 200;

// The rename must reach the disk too, or a crash could bring the old directory entry back.
// File systems that cannot sync a directory (EINVAL) have nothing to sync; a hard error is
// reported, since the new content may not be on the disk.
void syncDirectory(const std::string& dir)
{
    const WriteFault fault = writeFault(WriteCall::Sync);
    if (fault.error != 0) {
        throw CFileException::fromErrno(fault.error);
    }
    if (fault.skip) {
        return;
    }
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0 && error == EIO) {
        throw CFileException::fromErrno(error);
    }
}

} // namespace

AtomicFile::AtomicFile(const std::string& path)
    : m_target(resolveSymlinks(path))
{
    struct stat old
    {
    };
    if (::stat(m_target.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) {
            throw CFileException(CFileException::accessDenied, EISDIR);
        }
        createTemporary(old.st_mode & 07777);
        // Best effort: a file replaced by another user (root) keeps its owner.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored =
                ::fchown(m_file.descriptor(), old.st_uid, old.st_gid);
        }
        return;
    }
    if (errno != ENOENT) {
        throw CFileException::fromErrno(errno);
    }
    createTemporary(0600);
}

AtomicFile::~AtomicFile()
{
    if (m_committed || m_temporary.empty()) {
        return;
    }
    try {
        m_file.close();
    } catch (const CFileException&) {
        // The temporary file goes anyway.
    }
    ::unlink(m_temporary.c_str());
}

void AtomicFile::createTemporary(mode_t mode)
{
    const std::string stem = baseNameOf(m_target).substr(0, kMaxStemLength);
    std::string pattern = joinPath(directoryOf(m_target), "." + stem + ".tmp-XXXXXX");
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw CFileException::fromErrno(errno);
    }
    const int chmodResult = ::fchmod(fd, mode);
    const int chmodError = errno;
    ::close(fd);
    if (chmodResult != 0) {
        ::unlink(pattern.c_str());
        throw CFileException::fromErrno(chmodError);
    }
    try {
        m_file.open(pattern, File::Mode::ReadWrite);
    } catch (const CFileException&) {
        ::unlink(pattern.c_str());
        throw;
    }
    m_temporary = std::move(pattern);
}

void AtomicFile::commit()
{
    if (m_committed) {
        return;
    }
    m_file.sync();
    m_file.close();
    if (const WriteFault fault = writeFault(WriteCall::Rename); fault.error != 0) {
        throw CFileException::fromErrno(fault.error);
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        throw CFileException::fromErrno(errno);
    }
    m_committed = true;
    syncDirectory(directoryOf(m_target));
}

} // namespace daylark
