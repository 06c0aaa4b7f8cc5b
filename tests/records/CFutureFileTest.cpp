#include "records/CFutureFile.h"

#include "platform/LocalTime.h"
#include "records/RecordBytes.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace daylark {
namespace {

using test::bytes;
using test::dword;
using test::RecordingSink;
using test::TempDir;
using test::text;

constexpr const char* kEastern = "EST5EDT,M4.1.0,M10.5.0";

TEST(CFutureFile, NotesAreWrittenWithOneClassDescriptionAndVersion101)
{
    TempDir dir;
    const std::string path = dir.file("daylark.fut");
    // A file version other than 100 and a record of version 100, as an older writer left them.
    test::writeFile(path, dword(0x01020304) + bytes({1, 0, 0xFF, 0xFF, 1, 0, 14, 0}) +
                              "CDaylarkFuture" + dword(100) + dword(857347200) + text("A"));
    RecordingSink sink;
    CFutureFile notes(path, sink);
    ASSERT_EQ(notes.Load(), 0);
    ASSERT_NE(notes.AddNote("Call\r\nBob", 857433600), nullptr);
    EXPECT_EQ(notes.records().back()->Version, 100u);
    ASSERT_EQ(notes.Save(), 0);
    EXPECT_EQ(test::readFile(path), dword(0x01020304) + bytes({2, 0, 0xFF, 0xFF, 1, 0, 14, 0}) +
                                        "CDaylarkFuture" + dword(101) + dword(857347200) +
                                        text("A") + bytes({0x01, 0x80}) + dword(101) +
                                        dword(857433600) + text("Call\r\nBob"));
    EXPECT_TRUE(sink.messages.empty());
}

TEST(CFutureFile, MissingAndShortFilesHoldNoNotes)
{
    TempDir dir;
    const std::string path = dir.file("daylark.fut");
    RecordingSink sink;
    CFutureFile notes(path, sink);
    EXPECT_EQ(notes.Load(), 0);
    EXPECT_FALSE(test::fileExists(path)); // loading creates nothing
    notes.Empty();
    for (std::size_t length = 0; length < 8; ++length) {
        SCOPED_TRACE(length);
        test::writeFile(path, std::string(length, '\x07'));
        EXPECT_EQ(notes.Load(), 0);
        EXPECT_TRUE(notes.records().empty());
        notes.Empty();
    }
    EXPECT_TRUE(sink.messages.empty());
    ASSERT_EQ(notes.Save(), 0);
    EXPECT_EQ(test::readFile(path), bytes({100, 0, 0, 0, 0, 0}));
}

TEST(CFutureFile, DueNotesJoinThePageInListOrder)
{
    test::ScopedTimeZone zone(kEastern);
    TempDir dir;
    const std::string path = dir.file("daylark.fut");
    RecordingSink sink;
    CFutureFile notes(path, sink);
    // 6 April 1997 is the day summer time begins: its midnight is 23 hours before the next.
    const std::int64_t day = makeLocalTime(1997, 4, 6);
    notes.AddNote("tomorrow", makeLocalTime(1997, 4, 7));
    notes.AddNote("A", makeLocalTime(1997, 4, 6, 23, 59));
    notes.AddNote("three days ago", makeLocalTime(1997, 4, 3, 12));
    notes.AddNote("B", day);
    EXPECT_EQ(notes.FindNote(makeLocalTime(1997, 4, 6, 12))->Text, "A");
    EXPECT_EQ(notes.FindNote(makeLocalTime(1997, 4, 5)), nullptr);

    std::string page = "T";
    notes.MoveDueNotes(page, makeLocalTime(1997, 4, 6, 3));
    EXPECT_EQ(page, "T\r\r\nA\r\r\nthree days ago\r\r\nB");
    EXPECT_TRUE(notes.changed());
    ASSERT_EQ(notes.records().size(), 1u);
    EXPECT_EQ(notes.records()[0]->Text, "tomorrow");

    // Nothing due: the page and the changed flag stay as they are.
    notes.setChanged(false);
    notes.MoveDueNotes(page, day);
    EXPECT_EQ(page, "T\r\r\nA\r\r\nthree days ago\r\r\nB");
    EXPECT_FALSE(notes.changed());

    std::string next;
    notes.MoveDueNotes(next, addLocalDays(day, 1));
    EXPECT_EQ(next, "\r\r\ntomorrow");
    EXPECT_TRUE(notes.records().empty());

    notes.RemoveNote(nullptr); // nothing happens
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace daylark
