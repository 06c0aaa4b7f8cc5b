#pragma once

#include <cstddef>

namespace daylark {

/// The calls through which Daylark changes what is on disk. Every data file is written through
/// them: File (opened for writing, written, synced, cut), AtomicFile (its temporary file, the
/// rename, the directory sync) and the file-system helpers (copy, directory creation, removal,
/// rename).
enum class WriteCall {
    Open,          ///< a file opened or created for writing
    Write,         ///< bytes written to a file
    Sync,          ///< a file's or a directory's data flushed to the disk
    Truncate,      ///< a file cut to a length
    Rename,        ///< a name moved over another
    MakeDirectory, ///< a directory created
    Remove,        ///< a file deleted
};

/// What a call is to do instead of its work: fail with `error` (an errno value; 0 lets the
/// call run). A failed Write first writes `bytesBefore` bytes of its buffer (at most all but
/// one), as a disk that fills half way through a write does. A Sync with `skip` counts as done
/// without waiting for the disk (tests that save thousands of times).
struct WriteFault
{
    int error = 0;
    std::size_t bytesBefore = 0;
    bool skip = false;
};

/// Sees every write call before it is made. Only tests install one: the fault-injection tests
/// fail a chosen call, the kill tests end the process at one.
class WriteFaults
{
public:
    virtual ~WriteFaults() = default;
    /// Called before each write call; `size` is the byte count of a Write, else 0.
    virtual WriteFault before(WriteCall call, std::size_t size) = 0;
};

/// Installs `faults` for the whole process (nullptr removes it). The caller keeps it alive
/// while it is installed. Write calls must not run on other threads meanwhile.
void setWriteFaults(WriteFaults* faults);

/// The fault for the next write call: none unless a test installed WriteFaults. One load and
/// one branch when none is installed, so the seam costs nothing in use.
WriteFault writeFault(WriteCall call, std::size_t size = 0);

} // namespace daylark
