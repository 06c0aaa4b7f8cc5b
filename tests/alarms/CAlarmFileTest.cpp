#include "alarms/CAlarmFile.h"

#include "support/RecordFileTestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

namespace daylark::test {
namespace {

using CAlarmFileTest = StoreOnDisk<CAlarmFile>;

TEST_F(CAlarmFileTest, AMissingFileIsCreatedEmptyAndShortFilesHoldNothing)
{
    EXPECT_EQ(store.Load(), 0);
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(readFile(path), "");
    EXPECT_EQ(store.Save(), 0);
    EXPECT_EQ(readFile(path), bytes({0x64, 0, 0, 0, 0, 0}));
    store.Empty();
    for (std::size_t length = 1; length < 8; ++length) {
        SCOPED_TRACE(length);
        writeFile(path, std::string(length, '\xFF'));
        EXPECT_EQ(store.Load(), 0);
        EXPECT_TRUE(store.records().empty());
        store.Empty();
    }
    EXPECT_TRUE(sink.messages.empty());
}

// Fields in order: version, time, name, then the WORDs frequency, message box, announced and,
// from version 101 on, visible on the calendar. The WORDs are widened without sign, except
// the frequency.
TEST_F(CAlarmFileTest, OlderRecordsGainTheCalendarFlagAndTheFileVersionIsKept)
{
    const std::string dentistFields = dword(857381400) + text("Dentist");
    const std::string current =
        dword(101) + dword(857397900) + text("Tea") + bytes({7, 0, 0, 0, 1, 0, 0, 0});
    writeFile(path, dword(0xFFFF) + bytes({2, 0}) + classDescription("CDaylarkAlarm") + dword(100) +
                        dentistFields + bytes({0xFF, 0xFF, 0xFF, 0xFF, 1, 0}) +
                        bytes({0x01, 0x80}) + current);
    ASSERT_EQ(store.Load(), 0);
    ASSERT_EQ(store.records().size(), 2u);
    const auto fields = [](const CDaylarkAlarm& a) {
        return std::tuple<int, int, int, int, int>(a.RecordVersion, a.Frequency, a.MessageBoxFlag,
                                                   a.Announced, a.VisibleOnCalendar);
    };
    EXPECT_EQ(fields(*store.records()[0]), std::tuple(100, -1, 0xFFFF, 1, 1));
    EXPECT_EQ(fields(*store.records()[1]), std::tuple(101, 7, 0, 1, 0));
    ASSERT_EQ(store.Save(), 0);
    EXPECT_EQ(readFile(path), dword(0xFFFF) + bytes({2, 0}) + classDescription("CDaylarkAlarm") +
                                  dword(101) + dentistFields +
                                  bytes({0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 1, 0}) +
                                  bytes({0x01, 0x80}) + current);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(CAlarmFileTest, AHeaderThatPromisesMoreRecordsFailsAndKeepsWhatWasRead)
{
    writeFile(path, dword(100) + bytes({3, 0}) + classDescription("CDaylarkAlarm") + dword(101) +
                        dword(0) + text("kept") + bytes({1, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(store.Load(), 1);
    ASSERT_EQ(store.records().size(), 1u);
    EXPECT_EQ(store.records()[0]->Name, "kept");
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(sink.messages[0].text.rfind("Archive Exception, 3, reading Alarm \nException: "
                                          "Unexpectedly reached end of file while reading an "
                                          "object.\nThe file as it was is kept in ",
                                          0),
              0u);
}

} // namespace
} // namespace daylark::test
