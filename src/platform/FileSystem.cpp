#include "platform/FileSystem.h"

#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/WriteFaults.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace daylark {

namespace {

// As the kernel's own limit on following links.
constexpr int kMaxSymlinks = 40;
constexpr std::size_t kCopyChunk = 64 * 1024;

struct DirCloser
{
    void operator()(DIR* dir) const { ::closedir(dir); }
};

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

std::string readLink(const std::string& path)
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) {
            throw CFileException::fromErrno(errno);
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Copies the bytes of `source` into `to` and gives `to` the source's modification time.
void copyContent(File& source, File& to)
{
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        const std::size_t n = source.read(buffer.data(), buffer.size());
        if (n == 0) {
            break;
        }
        to.write(buffer.data(), n);
    }
    struct stat info
    {
    };
    if (::fstat(source.descriptor(), &info) != 0) {
        throw CFileException::fromErrno(errno);
    }
    const struct timespec times[2] = {{0, UTIME_OMIT}, info.st_mtim};
    if (::futimens(to.descriptor(), times) != 0) {
        throw CFileException::fromErrno(errno);
    }
}

} // namespace

} // namespace daylark

daylark::FileStatus daylark::fileStatus(const std::string& path)
{
    FileStatus status;
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0) {
        status.error = errno;
        return status;
    }
    status.exists = true;
    status.isDirectory = S_ISDIR(info.st_mode);
    status.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    status.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    status.size = static_cast<std::int64_t>(info.st_size);
    return status;
}

int daylark::copyFile(const std::string& from, const std::string& to)
{
    try {
        // Open the source first, so a missing source leaves the destination alone.
        File source(from, File::Mode::Read);
        AtomicFile target(to);
        copyContent(source, target.file());
        target.commit();
        return 0;
    } catch (const CFileException& failure) {
        return failure.osError() != 0 ? failure.osError() : EIO;
    }
}

int daylark::removeFile(const std::string& path)
{
    if (const WriteFault fault = writeFault(WriteCall::Remove); fault.error != 0) {
        return fault.error;
    }
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int daylark::renameFile(const std::string& from, const std::string& to)
{
    if (const WriteFault fault = writeFault(WriteCall::Rename); fault.error != 0) {
        return fault.error;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int daylark::createDirectory(const std::string& path)
{
    if (const WriteFault fault = writeFault(WriteCall::MakeDirectory); fault.error != 0) {
        return fault.error;
    }
    return ::mkdir(path.c_str(), 0700) == 0 ? 0 : errno;
}

int daylark::createDirectories(const std::string& path)
{
    if (path.empty()) {
        return ENOENT;
    }
    const FileStatus status = fileStatus(path);
    if (status.exists) {
        return status.isDirectory ? 0 : ENOTDIR;
    }
    const std::string parent = directoryOf(path);
    if (!parent.empty() && parent != path) {
        if (const int error = createDirectories(parent); error != 0) {
            return error;
        }
    }
    const int error = createDirectory(path);
    // Another process may have made it in between; a trailing '/' also ends here.
    if (error == EEXIST && fileStatus(path).isDirectory) {
        return 0;
    }
    return error;
}

std::string daylark::joinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty()) {
        return name;
    }
    if (dir.back() == '/') {
        return dir + name;
    }
    return dir + "/" + name;
}

std::string daylark::directoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

std::string daylark::baseNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string daylark::asciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::string daylark::findDataFile(const std::string& dir, const std::string& name)
{
    const std::string lower = asciiLower(name);
    std::unique_ptr<DIR, DirCloser> entries(::opendir(dir.empty() ? "." : dir.c_str()));
    if (!entries) {
        return joinPath(dir, lower);
    }
    std::string best;
    while (const dirent* entry = ::readdir(entries.get())) {
        const std::string_view candidate(entry->d_name);
        if (!equalsIgnoringCase(candidate, name)) {
            continue;
        }
        if (candidate == lower) {
            return joinPath(dir, lower);
        }
        if (best.empty() || candidate < best) {
            best = candidate;
        }
    }
    return joinPath(dir, best.empty() ? lower : best);
}

std::string daylark::firstFreeName(const std::string& prefix)
{
    for (unsigned long n = 0;; ++n) {
        char number[24];
        std::snprintf(number, sizeof number, "%03lu", n);
        const std::string candidate = prefix + number;
        struct stat info
        {
        };
        // Any failure but "exists" ends the search: creating the name then reports the cause.
        if (::lstat(candidate.c_str(), &info) != 0) {
            return candidate;
        }
    }
}

std::string daylark::resolveSymlinks(const std::string& path)
{
    std::string current = path;
    for (int links = 0; links <= kMaxSymlinks; ++links) {
        struct stat info
        {
        };
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        const std::string target = readLink(current);
        current = !target.empty() && target.front() == '/' ? target
                                                           : joinPath(directoryOf(current), target);
    }
    throw CFileException::fromErrno(ELOOP);
}
