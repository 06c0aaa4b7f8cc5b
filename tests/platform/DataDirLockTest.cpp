#include "platform/DataDirLock.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <utility>

namespace daylark::test {
namespace {

TEST(DataDirLock, OneHolderAtATime)
{
    TempDir dir;
    int error = -1;
    auto first = DataDirLock::acquire(dir.path(), std::chrono::milliseconds(0), &error);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(fileExists(dir.file(".daylark.lock")));

    EXPECT_FALSE(DataDirLock::acquire(dir.path(), std::chrono::milliseconds(120), &error));
    EXPECT_EQ(error, EWOULDBLOCK);

    // A moved lock stays held; it is released when its last owner goes.
    std::optional<DataDirLock> moved = std::move(first);
    first.reset();
    EXPECT_FALSE(DataDirLock::acquire(dir.path(), std::chrono::milliseconds(0)));
    moved.reset();
    EXPECT_TRUE(DataDirLock::acquire(dir.path(), std::chrono::milliseconds(0)));

    EXPECT_FALSE(DataDirLock::acquire(dir.file("missing"), std::chrono::milliseconds(0), &error));
    EXPECT_EQ(error, ENOENT);
}

} // namespace
} // namespace daylark::test
