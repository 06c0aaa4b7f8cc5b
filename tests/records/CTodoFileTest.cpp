#include "records/CTodoFile.h"

#include "support/RecordFileTestSupport.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

using CTodoFileTest = StoreOnDisk<CTodoFile>;

TEST_F(CTodoFileTest, ListsKeepTheirVersionAndOrderByteForByte)
{
    auto first = std::make_unique<CDaylarkTodo>();
    first->Version = 7; // a version read from a file is written back as it is
    first->Created = 857397900;
    first->LastChanged = 857401500;
    first->Name = "Shopping";
    first->Contents = "{} milk\r\n{x} tea";
    store.add(std::move(first));
    store.add(std::make_unique<CDaylarkTodo>())->Name = "Empty";
    ASSERT_EQ(store.Save(), 0);
    store.Empty();

    const std::string expected = dword(100) + bytes({2, 0}) + classDescription("CDaylarkTodo") +
                                 dword(7) + dword(857397900) + dword(857401500) + text("Shopping") +
                                 text("{} milk\r\n{x} tea") + bytes({0x01, 0x80}) + dword(100) +
                                 dword(0) + dword(0) + text("Empty") + text("");
    EXPECT_EQ(readFile(path), expected);

    ASSERT_EQ(store.Load(), 0);
    ASSERT_EQ(store.records().size(), 2u);
    EXPECT_EQ(store.FindList("Shopping")->Contents, "{} milk\r\n{x} tea");
    EXPECT_EQ(store.FindList("shopping"), nullptr); // names are compared byte by byte
    ASSERT_EQ(store.Save(), 0);
    EXPECT_EQ(readFile(path), expected);
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace daylark::test
