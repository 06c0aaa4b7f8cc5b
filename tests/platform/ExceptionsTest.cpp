#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace daylark::test {
namespace {

const FailureContext kPageContext{"File Exception, %d, looking for page",
                                  "Archive Exception, %d, looking for page",
                                  "Memory exception reading a daylark page"};

TEST(FailureContext, MessageIsContextLineCauseAndCauseText)
{
    EXPECT_EQ(kPageContext.message(CFileException(CFileException::fileNotFound, ENOENT)),
              "File Exception, 2, looking for page \nException: The File could not be located.");
    EXPECT_EQ(kPageContext.message(CArchiveException(CArchiveException::endOfFile)),
              "Archive Exception, 3, looking for page \nException: Unexpectedly reached end of "
              "file while reading an object.");
    EXPECT_EQ(kPageContext.message(CMemoryException()), "Memory exception reading a daylark page");
    // An unknown cause keeps its number but shows the unspecified text.
    EXPECT_EQ(kPageContext.message(CFileException(99)),
              "File Exception, 99, looking for page \nException: An unspecified file exception "
              "occured.");
}

TEST(CFileException, ErrnoMapsToCauseCodes)
{
    const struct
    {
        int error;
        int cause;
    } cases[] = {
        {ENOENT, 2}, {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {ELOOP, 3},  {EMFILE, 4},
        {ENFILE, 4}, {EACCES, 5},  {EPERM, 5},        {EROFS, 5},  {EBADF, 6},
        {EIO, 10},   {ENOSPC, 13}, {EDQUOT, 13},      {EEXIST, 1}, {EINVAL, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(CFileException::causeFromErrno(c.error), c.cause);
        const CFileException failure = CFileException::fromErrno(c.error);
        EXPECT_EQ(failure.cause(), c.cause);
        EXPECT_EQ(failure.osError(), c.error);
    }
}

} // namespace
} // namespace daylark::test
