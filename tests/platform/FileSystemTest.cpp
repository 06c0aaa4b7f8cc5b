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
#include <vector>

namespace daylark::test {
namespace {

std::vector<std::string> entries(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void setModified(const std::string& path, std::int64_t seconds)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

unsigned permissions(const std::string& path)
{
    struct stat info
    {
    };
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

void writeAtomically(const std::string& path, const std::string& bytes)
{
    AtomicFile file(path);
    file.file().write(bytes.data(), bytes.size());
    file.commit();
}

TEST(FileSystem, CopyOverwritesAndCarriesModificationTime)
{
    TempDir dir;
    writeFile(dir.file("src"), "new");
    setModified(dir.file("src"), 900000000);
    writeFile(dir.file("dst"), "a much longer old content");

    ASSERT_EQ(copyFile(dir.file("src"), dir.file("dst")), 0);
    EXPECT_EQ(readFile(dir.file("dst")), "new");
    const FileStatus copied = fileStatus(dir.file("dst"));
    EXPECT_TRUE(copied.exists);
    EXPECT_EQ(copied.modified, 900000000);
    EXPECT_EQ(copied.size, 3);
    EXPECT_TRUE(fileStatus(dir.path()).isDirectory);
    EXPECT_EQ(fileStatus(dir.file("none")).error, ENOENT);
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"dst", "src"}));

    // A copy of a file onto itself must not truncate it first.
    ASSERT_EQ(copyFile(dir.file("src"), dir.file("src")), 0);
    EXPECT_EQ(readFile(dir.file("src")), "new");
}

TEST(FileSystem, FailedCopyReportsErrnoAndLeavesDestination)
{
    TempDir dir;
    writeFile(dir.file("dst"), "old");

    EXPECT_EQ(copyFile(dir.file("missing"), dir.file("dst")), ENOENT);
    EXPECT_EQ(readFile(dir.file("dst")), "old");
    writeFile(dir.file("src"), "x");
    EXPECT_EQ(copyFile(dir.file("src"), dir.file("nodir/dst")), ENOENT);
    EXPECT_EQ(copyFile(dir.path(), dir.file("dst")), EISDIR);
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"dst", "src"}));
}

TEST(FileSystem, DirectoriesAreCreatedPrivately)
{
    TempDir dir;
    EXPECT_EQ(createDirectory(dir.file("d")), 0);
    EXPECT_EQ(createDirectory(dir.file("d")), EEXIST);
    EXPECT_EQ(createDirectories(dir.file("p/q/r")), 0);
    EXPECT_EQ(permissions(dir.file("p/q")), 0700u);
    EXPECT_EQ(createDirectories(dir.file("p/q/r")), 0);
    writeFile(dir.file("file"), "x");
    EXPECT_EQ(createDirectories(dir.file("file/sub")), ENOTDIR);
}

TEST(FileSystem, PathPieces)
{
    const struct
    {
        std::string path, directory, base;
    } cases[] = {
        {"/data/1996.dlk", "/data", "1996.dlk"},
        {"/1996.dlk", "/", "1996.dlk"},
        {"1996.dlk", "", "1996.dlk"},
        {"a/b/", "a/b", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(directoryOf(c.path), c.directory);
        EXPECT_EQ(baseNameOf(c.path), c.base);
    }
    EXPECT_EQ(joinPath("/data", "x"), "/data/x");
    EXPECT_EQ(joinPath("/data/", "x"), "/data/x");
    EXPECT_EQ(joinPath("/", "x"), "/x");
    EXPECT_EQ(joinPath("", "x"), "x");
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
    std::filesystem::create_symlink("nowhere", prefix + "001"); // a dangling link is taken too
    EXPECT_EQ(firstFreeName(prefix), prefix + "002");
    for (int n = 2; n < 1000; ++n) {
        writeFile(prefix + (n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n), "");
    }
    EXPECT_EQ(firstFreeName(prefix), prefix + "1000");
}

TEST(AtomicFile, ReplacesOnlyOnCommitAndLeavesNoTemporary)
{
    TempDir dir;
    const std::string path = dir.file("daylark.fut");
    writeFile(path, "old");
    {
        AtomicFile file(path);
        file.file().write("new", 3);
        // While writing, the temporary file is hidden and not named like a data file.
        const auto names = entries(dir.path());
        ASSERT_EQ(names.size(), 2u);
        EXPECT_EQ(names[0].rfind(".daylark.fut.tmp-", 0), 0u) << names[0];
        EXPECT_EQ(readFile(path), "old");
    } // abandoned
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"daylark.fut"});

    writeAtomically(path, "new");
    EXPECT_EQ(readFile(path), "new");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"daylark.fut"});
}

TEST(AtomicFile, KeepsPermissionBitsAndCreatesPrivateFiles)
{
    TempDir dir;
    writeAtomically(dir.file("new"), "x");
    EXPECT_EQ(permissions(dir.file("new")), 0600u);

    writeFile(dir.file("shared"), "x");
    ASSERT_EQ(::chmod(dir.file("shared").c_str(), 0644), 0);
    writeAtomically(dir.file("shared"), "y");
    EXPECT_EQ(permissions(dir.file("shared")), 0644u);
}

TEST(AtomicFile, FollowsSymbolicLinksAndReplacesTheirTarget)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    writeFile(dir.file("real/daylark.day"), "old");
    std::filesystem::create_symlink("real/daylark.day", dir.file("link"));
    std::filesystem::create_symlink(dir.file("link"), dir.file("link2")); // link to a link

    writeAtomically(dir.file("link2"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link2")));
    EXPECT_EQ(readFile(dir.file("real/daylark.day")), "new");
    EXPECT_EQ(entries(dir.file("real")), std::vector<std::string>{"daylark.day"});

    // A dangling link gets its target created.
    std::filesystem::create_symlink("real/fresh", dir.file("dangling"));
    writeAtomically(dir.file("dangling"), "made");
    EXPECT_EQ(readFile(dir.file("real/fresh")), "made");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("dangling")));
}

TEST(AtomicFile, ImpossibleTargetsThrowWithCause)
{
    TempDir dir;
    std::filesystem::create_symlink("loop", dir.file("loop"));
    const struct
    {
        std::string path;
        int cause;
        int error;
    } cases[] = {
        {dir.path(), CFileException::accessDenied, EISDIR},
        {dir.file("missing/file"), CFileException::fileNotFound, ENOENT},
        {dir.file("loop"), CFileException::badPath, ELOOP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            AtomicFile file(c.path);
            ADD_FAILURE() << "no exception";
        } catch (const CFileException& failure) {
            EXPECT_EQ(failure.cause(), c.cause);
            EXPECT_EQ(failure.osError(), c.error);
        }
    }
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"loop"});
}

} // namespace
} // namespace daylark::test
