#include "platform/AtomicFile.h"

#include "platform/Exceptions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <vector>

namespace daylark::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

void writeAtomically(const std::string& path, const std::string& bytes)
{
    AtomicFile file(path);
    file.file().write(bytes.data(), bytes.size());
    file.commit();
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
        const Names names = namesIn(dir.path());
        ASSERT_EQ(names.size(), 2u);
        EXPECT_EQ(names[0].rfind(".daylark.fut.tmp-", 0), 0u) << names[0];
        EXPECT_EQ(readFile(path), "old");
    } // abandoned
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(namesIn(dir.path()), Names{"daylark.fut"});

    writeAtomically(path, "new");
    EXPECT_EQ(readFile(path), "new");
    EXPECT_EQ(modeOf(path), 0644u);
    EXPECT_EQ(namesIn(dir.path()), Names{"daylark.fut"});
    writeAtomically(dir.file("fresh"), "x");
    EXPECT_EQ(modeOf(dir.file("fresh")), 0600u);
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
    EXPECT_EQ(namesIn(dir.file("real")), Names{"daylark.day"});

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
    EXPECT_EQ(namesIn(dir.path()), Names{"loop"});
}

} // namespace
} // namespace daylark::test
