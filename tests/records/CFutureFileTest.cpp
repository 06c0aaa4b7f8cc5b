#include "records/CFutureFile.h"

#include "platform/LocalTime.h"
#include "support/RecordFileTestSupport.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

using CFutureFileTest = StoreOnDisk<CFutureFile>;

TEST_F(CFutureFileTest, NotesAreWrittenWithOneClassDescriptionAndVersion101)
{
    // A file version other than 100 and a record of version 100, as an older writer left them.
    writeFile(path, dword(0x01020304) + bytes({1, 0}) + classDescription("CDaylarkFuture") +
                        dword(100) + dword(857347200) + text("A"));
    ASSERT_EQ(store.Load(), 0);
    ASSERT_NE(store.AddNote("Call\r\nBob", 857433600), nullptr);
    EXPECT_EQ(store.records().back()->Version, 100u);
    ASSERT_EQ(store.Save(), 0);
    EXPECT_EQ(readFile(path), dword(0x01020304) + bytes({2, 0}) +
                                  classDescription("CDaylarkFuture") + dword(101) +
                                  dword(857347200) + text("A") + bytes({0x01, 0x80}) + dword(101) +
                                  dword(857433600) + text("Call\r\nBob"));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CFutureFileTest, MissingAndShortFilesHoldNoNotes)
{
    EXPECT_EQ(store.Load(), 0);
    EXPECT_FALSE(fileExists(path)); // loading creates nothing
    store.Empty();
    for (std::size_t length = 0; length < 8; ++length) {
        SCOPED_TRACE(length);
        writeFile(path, std::string(length, '\x07'));
        EXPECT_EQ(store.Load(), 0);
        EXPECT_TRUE(store.records().empty());
        store.Empty();
    }
    EXPECT_TRUE(sink.messages.empty());
    ASSERT_EQ(store.Save(), 0);
    EXPECT_EQ(readFile(path), bytes({100, 0, 0, 0, 0, 0}));
}

TEST_F(CFutureFileTest, DueNotesJoinThePageInListOrder)
{
    ScopedTimeZone zone(kEastern);
    // 6 April 1997 is the day summer time begins: its midnight is 23 hours before the next.
    const std::int64_t day = makeLocalTime(1997, 4, 6);
    store.AddNote("tomorrow", makeLocalTime(1997, 4, 7));
    store.AddNote("A", makeLocalTime(1997, 4, 6, 23, 59));
    store.AddNote("three days ago", makeLocalTime(1997, 4, 3, 12));
    store.AddNote("B", day);
    EXPECT_EQ(store.FindNote(makeLocalTime(1997, 4, 6, 12))->Text, "A");
    EXPECT_EQ(store.FindNote(makeLocalTime(1997, 4, 5)), nullptr);

    std::string page = "T";
    store.MoveDueNotes(page, makeLocalTime(1997, 4, 6, 3));
    EXPECT_EQ(page, "T\r\r\nA\r\r\nthree days ago\r\r\nB");
    EXPECT_TRUE(store.changed());
    ASSERT_EQ(store.records().size(), 1u);

    // Nothing due: the page and the changed flag stay as they are.
    store.setChanged(false);
    store.MoveDueNotes(page, day);
    EXPECT_EQ(page, "T\r\r\nA\r\r\nthree days ago\r\r\nB");
    EXPECT_FALSE(store.changed());

    std::string next;
    store.MoveDueNotes(next, addLocalDays(day, 1));
    EXPECT_EQ(next, "\r\r\ntomorrow");
    EXPECT_TRUE(store.records().empty());

    store.RemoveNote(nullptr); // nothing happens
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace daylark::test
