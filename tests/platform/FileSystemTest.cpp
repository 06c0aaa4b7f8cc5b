#include "platform/FileSystem.h"

#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <utility>
#include <vector>

namespace daylark::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

Names entries(const std::string& dir)
{
    Names names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

unsigned mode(const std::string& path)
{
    return static_cast<unsigned>(fs::status(path).permissions());
}

void writeAtomically(const std::string& path, const std::string& bytes)
{
    AtomicFile file(path);
    file.file().write(bytes.data(), bytes.size());
    file.commit();
}

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

TEST(FileSystem, CopyOverwritesCarriesModificationTimeOrFailsLeavingDestination)
{
    TempDir dir;
    writeFile(dir.file("src"), "new");
    const struct timespec times[2] = {{0, UTIME_OMIT}, {900000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.file("src").c_str(), times, 0), 0);
    writeFile(dir.file("dst"), "a much longer old content");

    ASSERT_EQ(copyFile(dir.file("src"), dir.file("dst")), 0);
    EXPECT_EQ(readFile(dir.file("dst")), "new");
    const FileStatus copied = fileStatus(dir.file("dst"));
    EXPECT_TRUE(copied.exists);
    EXPECT_EQ(copied.modified, 900000000);
    EXPECT_EQ(copied.size, 3);
    EXPECT_TRUE(fileStatus(dir.path()).isDirectory);
    EXPECT_EQ(fileStatus(dir.file("none")).error, ENOENT);
    // A copy of a file onto itself must not truncate it first.
    ASSERT_EQ(copyFile(dir.file("src"), dir.file("src")), 0);
    EXPECT_EQ(readFile(dir.file("src")), "new");

    EXPECT_EQ(copyFile(dir.file("missing"), dir.file("dst")), ENOENT);
    EXPECT_EQ(readFile(dir.file("dst")), "new");
    EXPECT_EQ(copyFile(dir.file("src"), dir.file("nodir/dst")), ENOENT);
    EXPECT_EQ(copyFile(dir.path(), dir.file("dst")), EISDIR);
    EXPECT_EQ(entries(dir.path()), (Names{"dst", "src"}));
}

TEST(FileSystem, DirectoriesAreCreatedPrivately)
{
    TempDir dir;
    EXPECT_EQ(createDirectory(dir.file("d")), 0);
    EXPECT_EQ(createDirectory(dir.file("d")), EEXIST);
    EXPECT_EQ(createDirectories(dir.file("p/q/r")), 0);
    EXPECT_EQ(mode(dir.file("p/q")), 0700u);
    EXPECT_EQ(createDirectories(dir.file("p/q/r")), 0);
    writeFile(dir.file("file"), "x");
    EXPECT_EQ(createDirectories(dir.file("file/sub")), ENOTDIR);
}

TEST(FileSystem, PathPieces)
{
    using Pieces = std::tuple<std::string, std::string, std::string>;
    for (const auto& [path, directory, base] :
         {Pieces{"/data/1996.dlk", "/data", "1996.dlk"}, Pieces{"/1996.dlk", "/", "1996.dlk"},
          Pieces{"1996.dlk", "", "1996.dlk"}, Pieces{"a/b/", "a/b", ""}}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(directoryOf(path), directory);
        EXPECT_EQ(baseNameOf(path), base);
        EXPECT_EQ(joinPath(directory, base), path);
    }
    EXPECT_EQ(joinPath("/data/", "x"), "/data/x");
}

TEST(FileSystem, DataFileNamesMatchWithoutCase)
{
    TempDir dir;
    writeFile(dir.file("DayLark.fut"), "x");
    for (const char* asked : {"DayLark.fut", "daylark.fut", "DAYLARK.FUT"}) {
        SCOPED_TRACE(asked);
        EXPECT_EQ(findDataFile(dir.path(), asked), dir.file("DayLark.fut"));
    }
    EXPECT_EQ(findDataFile(dir.path(), "DayLark.alm"), dir.file("daylark.alm"));
    EXPECT_EQ(findDataFile(dir.file("missing"), "DayLark.tdl"), dir.file("missing/daylark.tdl"));

    // With two spellings on disk, every spelling asked for reaches the same file.
    writeFile(dir.file("DAYLARK.FUT"), "y");
    EXPECT_EQ(findDataFile(dir.path(), "DayLark.fut"), dir.file("DAYLARK.FUT"));
    EXPECT_EQ(findDataFile(dir.path(), "daylark.fut"), dir.file("DAYLARK.FUT"));
    writeFile(dir.file("daylark.fut"), "z");
    EXPECT_EQ(findDataFile(dir.path(), "DayLark.fut"), dir.file("daylark.fut"));
    EXPECT_EQ(findDataFile(dir.path(), "DAYLARK.FUT"), dir.file("daylark.fut"));
}

TEST(FileSystem, FirstFreeNameCountsPastTakenNames)
{
    TempDir dir;
    const std::string prefix = dir.file("1996.torn.");
    EXPECT_EQ(firstFreeName(prefix), prefix + "000");
    writeFile(prefix + "000", "");
    fs::create_symlink("nowhere", prefix + "001"); // a dangling link is taken too
    EXPECT_EQ(firstFreeName(prefix), prefix + "002");
    for (int n = 2; n < 1000; ++n) {
        writeFile(prefix + (n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n), "");
    }
    EXPECT_EQ(firstFreeName(prefix), prefix + "1000");
}

TEST(AtomicFile, ReplacesOnlyOnCommitKeepsModesAndLeavesNoTemporary)
{
    TempDir dir;
    const std::string path = dir.file("daylark.fut");
    writeFile(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    {
        AtomicFile file(path);
        file.file().write("new", 3);
        // While writing, the temporary file is hidden and not named like a data file.
        const Names names = entries(dir.path());
        ASSERT_EQ(names.size(), 2u);
        EXPECT_EQ(names[0].rfind(".daylark.fut.tmp-", 0), 0u) << names[0];
        EXPECT_EQ(readFile(path), "old");
    } // abandoned
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(entries(dir.path()), Names{"daylark.fut"});

    writeAtomically(path, "new");
    EXPECT_EQ(readFile(path), "new");
    EXPECT_EQ(mode(path), 0644u);
    EXPECT_EQ(entries(dir.path()), Names{"daylark.fut"});
    writeAtomically(dir.file("fresh"), "x");
    EXPECT_EQ(mode(dir.file("fresh")), 0600u);
}

TEST(AtomicFile, FollowsSymbolicLinksAndReplacesTheirTarget)
{
    TempDir dir;
    fs::create_directory(dir.file("real"));
    writeFile(dir.file("real/daylark.day"), "old");
    fs::create_symlink("real/daylark.day", dir.file("link"));
    fs::create_symlink(dir.file("link"), dir.file("link2")); // link to a link

    writeAtomically(dir.file("link2"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.file("link")) && fs::is_symlink(dir.file("link2")));
    EXPECT_EQ(readFile(dir.file("real/daylark.day")), "new");
    EXPECT_EQ(entries(dir.file("real")), Names{"daylark.day"});

    // A dangling link gets its target created.
    fs::create_symlink("real/fresh", dir.file("dangling"));
    writeAtomically(dir.file("dangling"), "made");
    EXPECT_EQ(readFile(dir.file("real/fresh")), "made");
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling")));
}

TEST(AtomicFile, ImpossibleTargetsThrowWithCause)
{
    TempDir dir;
    fs::create_symlink("loop", dir.file("loop"));
    const std::tuple<std::string, int, int> cases[] = {
        {dir.path(), CFileException::accessDenied, EISDIR},
        {dir.file("missing/file"), CFileException::fileNotFound, ENOENT},
        {dir.file("loop"), CFileException::badPath, ELOOP},
    };
    for (const auto& [path, cause, error] : cases) {
        SCOPED_TRACE(path);
        try {
            AtomicFile file(path);
            ADD_FAILURE() << "no exception";
        } catch (const CFileException& failure) {
            EXPECT_EQ(failure.cause(), cause);
            EXPECT_EQ(failure.osError(), error);
        }
    }
    EXPECT_EQ(entries(dir.path()), Names{"loop"});
}

} // namespace
} // namespace daylark::test
