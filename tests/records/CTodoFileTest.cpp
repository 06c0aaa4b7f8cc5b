#include "records/CTodoFile.h"

#include "records/RecordBytes.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace daylark {
namespace {

using test::bytes;
using test::dword;
using test::RecordingSink;
using test::TempDir;
using test::text;

TEST(CTodoFile, ListsKeepTheirVersionAndOrderByteForByte)
{
    TempDir dir;
    const std::string path = dir.file("daylark.tdl");
    RecordingSink sink;
    CTodoFile lists(path, sink);
    auto first = std::make_unique<CDaylarkTodo>();
    first->Version = 7; // a version read from a file is written back as it is
    first->Created = 857397900;
    first->LastChanged = 857401500;
    first->Name = "Shopping";
    first->Contents = "{} milk\r\n{x} tea";
    lists.add(std::move(first));
    auto second = std::make_unique<CDaylarkTodo>();
    second->Name = "Empty";
    lists.add(std::move(second));
    ASSERT_EQ(lists.Save(), 0);
    lists.Empty();

    const std::string expected =
        dword(100) + bytes({2, 0, 0xFF, 0xFF, 1, 0, 12, 0}) + "CDaylarkTodo" + dword(7) +
        dword(857397900) + dword(857401500) + text("Shopping") + text("{} milk\r\n{x} tea") +
        bytes({0x01, 0x80}) + dword(100) + dword(0) + dword(0) + text("Empty") + text("");
    EXPECT_EQ(test::readFile(path), expected);

    ASSERT_EQ(lists.Load(), 0);
    ASSERT_EQ(lists.records().size(), 2u);
    EXPECT_EQ(lists.FindList("Shopping")->Contents, "{} milk\r\n{x} tea");
    EXPECT_EQ(lists.FindList("shopping"), nullptr); // names are compared byte by byte
    ASSERT_EQ(lists.Save(), 0);
    EXPECT_EQ(test::readFile(path), expected);

    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace daylark
