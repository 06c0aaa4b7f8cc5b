#include "platform/Exceptions.h"

#include <array>
#include <cerrno>

namespace daylark {

namespace {

constexpr std::array<std::string_view, 15> kFileCauseTexts = {
    "File Exception for No reason!",
    "An unspecified file exception occured.",
    "The File could not be located.",
    "All or part of the file path is invalid.",
    "The maximum  number of open files has been reached.",
    "Your access to this file is denied.",
    "The file handle is invalid",
    "The current working directory cannot be removed.",
    "The directory is full.",
    "There was a file seek error!",
    "There was a hardware error!",
    "Share.exe was not loaded or a shared region was locked.",
    "There was an attempt to lock a region which is already locked.",
    "The Disk is Full!",
    "The end of the file was reached.",
};

constexpr std::array<std::string_view, 8> kArchiveCauseTexts = {
    "Archive Exception for No reason!",
    "Archive Exception Unspecified Error",
    "Attempt to write to an archive opened for loading",
    "Unexpectedly reached end of file while reading an object.",
    "Attempt to read from an archive opened for storing.",
    "Invalid File format.",
    "Attempt to read an object into an object of the wrong type.",
    "Attempt to read an object with a different version of the class.",
};

} // namespace

CFileException::CFileException(int cause, int osError)
    : m_cause(cause)
    , m_osError(osError)
{}

int CFileException::causeFromErrno(int error)
{
    switch (error) {
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EIO:
        return hardIO;
    case ENOSPC:
    case EDQUOT:
        return diskFull;
    default:
        return genericException;
    }
}

CFileException CFileException::fromErrno(int error)
{
    return CFileException(causeFromErrno(error), error);
}

const char* CFileException::what() const noexcept
{
    return fileCauseText(m_cause).data();
}

CArchiveException::CArchiveException(int cause)
    : m_cause(cause)
{}

const char* CArchiveException::what() const noexcept
{
    return archiveCauseText(m_cause).data();
}

CTimeRangeException::CTimeRangeException(std::int64_t time)
    : m_time(time)
    , m_text("The time " + std::to_string(time) +
             " cannot be stored: Daylark's files hold times from 13 December 1901 to "
             "19 January 2038 only.")
{}

} // namespace daylark

std::string_view daylark::fileCauseText(int cause)
{
    if (cause < 0 || cause >= static_cast<int>(kFileCauseTexts.size())) {
        return kFileCauseTexts[CFileException::genericException];
    }
    return kFileCauseTexts[static_cast<std::size_t>(cause)];
}

std::string_view daylark::archiveCauseText(int cause)
{
    if (cause < 0 || cause >= static_cast<int>(kArchiveCauseTexts.size())) {
        return kArchiveCauseTexts[CArchiveException::genericException];
    }
    return kArchiveCauseTexts[static_cast<std::size_t>(cause)];
}

std::string daylark::formatFailure(std::string_view contextLine, int cause,
                                   std::string_view causeText)
{
    std::string text(contextLine);
    if (const auto at = text.find("%d"); at != std::string::npos) {
        text.replace(at, 2, std::to_string(cause));
    }
    text += " \nException: ";
    text += causeText;
    return text;
}

std::string daylark::FailureContext::message(const CException& failure) const
{
    if (const auto* file = dynamic_cast<const CFileException*>(&failure)) {
        return formatFailure(this->file, file->cause(), fileCauseText(file->cause()));
    }
    if (const auto* archive = dynamic_cast<const CArchiveException*>(&failure)) {
        return formatFailure(this->archive, archive->cause(), archiveCauseText(archive->cause()));
    }
    if (dynamic_cast<const CMemoryException*>(&failure) != nullptr) {
        return std::string(memory);
    }
    return failure.what();
}
