#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace daylark {

/// What the file status query answers for a path (a symbolic link is followed).
struct FileStatus
{
    bool exists = false;
    bool isDirectory = false;
    std::int64_t modified = 0; ///< last modification, seconds since 1970 UTC
    /// The nanoseconds within that second: two writes in one second still tell apart.
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t size = 0; ///< bytes
    int error = 0;         ///< errno of the query when it failed (ENOENT for a missing path)
};

/// The status of `path`; `exists` is false when the query fails for any reason.
FileStatus fileStatus(const std::string& path);

/// Copies `from` over `to`, overwriting it. The destination is replaced atomically (it is whole
/// before or after, never half written) and takes the source's modification time, so that a
/// later comparison of time and size sees the two as equal. Returns 0 or the errno value.
int copyFile(const std::string& from, const std::string& to);

/// Deletes a file (not a directory). Returns 0 or the errno value.
int removeFile(const std::string& path);

/// Moves `from` to the name `to`, replacing what `to` names. Returns 0 or the errno value.
int renameFile(const std::string& from, const std::string& to);

/// Creates one directory, mode 0700 (the diary is private). An existing path is an error
/// (EEXIST). Returns 0 or the errno value.
int createDirectory(const std::string& path);

/// Creates `path` and any missing parents, each mode 0700; an existing directory is success.
/// Returns 0 or the errno value (ENOTDIR when a part of the path is not a directory).
int createDirectories(const std::string& path);

/// `dir` and `name` with one '/' between them; `name` alone when `dir` is empty.
std::string joinPath(const std::string& dir, const std::string& name);

/// The text before the last '/' of `path`: "" when there is none, "/" for a name in the root.
std::string directoryOf(const std::string& path);

/// The text after the last '/' of `path` (all of it when there is none).
std::string baseNameOf(const std::string& path);

/// `text` with the ASCII letters in lower case; other bytes are kept.
std::string asciiLower(std::string_view text);

/// The path of the data file `name` in `dir`. Data-file names are matched without regard to
/// (ASCII) case: an existing entry whose name matches is used with its own spelling, so
/// "DayLark.fut" and "daylark.fut" reach the same file. When several entries match, the one in
/// lower case wins, else the first in byte order, whatever spelling is asked for. Without a
/// match the name is given in lower case, which is how new data files are created.
std::string findDataFile(const std::string& dir, const std::string& name);

/// The first of `prefix` + "000", "001", ..., "999", "1000", ... that names nothing yet (a
/// dangling symbolic link counts as taken). For side files such as "<year>.torn.NNN".
std::string firstFreeName(const std::string& prefix);

/// The file a write to `path` reaches: symbolic links of the last component are followed
/// (also a dangling one, whose target is then created). Throws CFileException (ELOOP) after 40
/// links.
std::string resolveSymlinks(const std::string& path);

} // namespace daylark
