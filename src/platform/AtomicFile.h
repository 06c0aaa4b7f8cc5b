#pragma once

#include "platform/File.h"

#include <string>
#include <sys/types.h>

namespace daylark {

/// Writes a whole file safely: the content goes to a temporary file in the same directory,
/// which commit() flushes to disk and renames over the target, then syncs the directory. Until
/// then the old file stays whole; a crash or a full disk half way leaves it as it was.
///
/// The new file takes the old file's permission bits (0600 when there was none). A symbolic
/// link is followed and the file it names is replaced, never the link. The temporary file is
/// hidden (".<name>.tmp-XXXXXX"), so it never looks like a data file or a "<year>.NNN" name.
/// Failures throw CFileException with the errno value and its cause code.
class AtomicFile
{
public:
    /// Creates the temporary file next to `path` (throws when that is impossible, for example
    /// when the directory does not exist or `path` is a directory).
    explicit AtomicFile(const std::string& path);
    /// Removes the temporary file unless commit() renamed it.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// The temporary file, open for reading and writing, empty at first.
    File& file() { return m_file; }
    /// The file that commit() replaces (the path with its symbolic links followed).
    const std::string& targetPath() const { return m_target; }
    /// Flushes the temporary file to disk and renames it over the target. After a failure the
    /// target is unchanged and the temporary file is removed by the destructor, unless the
    /// failure came after the rename (syncing the directory): then committed() is true.
    void commit();
    /// Whether the target holds the new content (the rename was made).
    bool committed() const { return m_committed; }

private:
    void createTemporary(mode_t mode);

    std::string m_target;
    std::string m_temporary;
    File m_file;
    bool m_committed = false;
};

} // namespace daylark
