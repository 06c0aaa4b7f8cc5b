#include "platform/FileSystem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <vector>

namespace daylark::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

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
    EXPECT_EQ(namesIn(dir.path()), (Names{"dst", "src"}));
}

TEST(FileSystem, DirectoriesAreCreatedPrivately)
{
    TempDir dir;
    EXPECT_EQ(createDirectory(dir.file("d")), 0);
    EXPECT_EQ(createDirectory(dir.file("d")), EEXIST);
    EXPECT_EQ(createDirectories(dir.file("p/q/r")), 0);
    EXPECT_EQ(modeOf(dir.file("p/q")), 0700u);
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

} // namespace
} // namespace daylark::test
