#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace daylark {

/// Base of the three failure kinds that file and record operations raise. The operation that
/// opened the file catches them and turns them into one message (see FailureContext).
class CException : public std::exception
{
public:
    const char* what() const noexcept override { return "Daylark exception"; }
};

/// A failure of the file itself. `cause` is the file cause code (0..14), `osError` the errno
/// value behind it (0 when there is none).
class CFileException : public CException
{
public:
    enum Cause : int {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause, int osError = 0);
    /// The cause code for an errno value.
    static int causeFromErrno(int error);
    /// A CFileException for the errno value `error`.
    static CFileException fromErrno(int error);

    int cause() const { return m_cause; }
    int osError() const { return m_osError; }
    const char* what() const noexcept override;

private:
    int m_cause;
    int m_osError;
};

/// A failure of the record format.
class CArchiveException : public CException
{
public:
    enum Cause : int {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };

    explicit CArchiveException(int cause);
    int cause() const { return m_cause; }
    const char* what() const noexcept override;

private:
    int m_cause;
};

/// Out of memory while reading or writing records.
class CMemoryException : public CException
{
public:
    const char* what() const noexcept override { return "Memory exception"; }
};

/// A time that does not fit the signed 32-bit seconds of the files. Nothing wraps around: the
/// operation that would store it gives up with this failure's own text.
class CTimeRangeException : public CException
{
public:
    explicit CTimeRangeException(std::int64_t time);
    std::int64_t time() const { return m_time; }
    const char* what() const noexcept override { return m_text.c_str(); }

private:
    std::int64_t m_time;
    std::string m_text;
};

/// The text of a file cause (0..14); an unknown code gives the text of cause 1.
std::string_view fileCauseText(int cause);
/// The text of an archive cause (0..7); an unknown code gives the text of cause 1.
std::string_view archiveCauseText(int cause);

/// The three context lines under which one operation reports its failures, for example
/// {"File Exception, %d, reading Future", "Archive Exception, %d, reading Future",
/// "Memory exception reading a daylark Future"}.
struct FailureContext
{
    std::string_view file;
    std::string_view archive;
    std::string_view memory;

    /// The user's message for a failure: the context line with the cause code in place of its
    /// %d, then " \nException: ", then the cause's text; a memory failure gives its context line
    /// alone; a time out of range gives its own text.
    std::string message(const CException& failure) const;
};

/// "context" with the first %d replaced by `cause`, then " \nException: " and `causeText`.
std::string formatFailure(std::string_view contextLine, int cause, std::string_view causeText);

} // namespace daylark
