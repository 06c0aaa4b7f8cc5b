#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>

namespace daylark::test {
namespace {

TEST(FailureContext, MessageIsContextLineCauseAndCauseText)
{
    const FailureContext page{"File Exception, %d, looking for page",
                              "Archive Exception, %d, looking for page",
                              "Memory exception reading a daylark page"};
    EXPECT_EQ(page.message(CFileException(CFileException::fileNotFound, ENOENT)),
              "File Exception, 2, looking for page \nException: The File could not be located.");
    EXPECT_EQ(page.message(CArchiveException(CArchiveException::endOfFile)),
              "Archive Exception, 3, looking for page \nException: Unexpectedly reached end of "
              "file while reading an object.");
    EXPECT_EQ(page.message(CMemoryException()), "Memory exception reading a daylark page");
    // An unknown cause keeps its number but shows the unspecified text.
    EXPECT_EQ(page.message(CFileException(99)),
              "File Exception, 99, looking for page \nException: An unspecified file exception "
              "occured.");
}

TEST(CFileException, ErrnoMapsToCauseCodes)
{
    const std::pair<int, int> cases[] = {
        {ENOENT, 2}, {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {ELOOP, 3},  {EMFILE, 4},
        {ENFILE, 4}, {EACCES, 5},  {EPERM, 5},        {EROFS, 5},  {EBADF, 6},
        {EIO, 10},   {ENOSPC, 13}, {EDQUOT, 13},      {EEXIST, 1}, {EINVAL, 1},
    };
    for (const auto& [error, cause] : cases) {
        SCOPED_TRACE(error);
        const CFileException failure = CFileException::fromErrno(error);
        EXPECT_EQ(failure.cause(), cause);
        EXPECT_EQ(failure.osError(), error);
    }
}

} // namespace
} // namespace daylark::test
