#include "alarms/CAlarmFile.h"

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

const std::string kDescription = bytes({0xFF, 0xFF, 1, 0, 13, 0}) + "CDaylarkAlarm";

TEST(CAlarmFile, AMissingFileIsCreatedEmptyAndShortFilesHoldNothing)
{
    TempDir dir;
    const std::string path = dir.file("daylark.alm");
    RecordingSink sink;
    CAlarmFile alarms(path, sink);
    EXPECT_EQ(alarms.Load(), 0);
    EXPECT_TRUE(test::fileExists(path));
    EXPECT_EQ(test::readFile(path), "");
    EXPECT_EQ(alarms.Save(), 0);
    EXPECT_EQ(test::readFile(path), bytes({0x64, 0, 0, 0, 0, 0}));
    alarms.Empty();
    for (std::size_t length = 1; length < 8; ++length) {
        SCOPED_TRACE(length);
        test::writeFile(path, std::string(length, '\xFF'));
        EXPECT_EQ(alarms.Load(), 0);
        EXPECT_TRUE(alarms.records().empty());
        alarms.Empty();
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST(CAlarmFile, OlderRecordsGainTheCalendarFlagAndTheFileVersionIsKept)
{
    TempDir dir;
    const std::string path = dir.file("daylark.alm");
    const std::string old =
        dword(100) + dword(857381400) + text("Dentist") + bytes({0, 0, 1, 0, 0, 0});
    const std::string current =
        dword(101) + dword(857397900) + text("Tea") + bytes({1, 0, 0, 0, 0, 0, 0, 0});
    test::writeFile(path, dword(0xFFFF) + bytes({2, 0}) + kDescription + old + bytes({0x01, 0x80}) +
                              current);
    RecordingSink sink;
    CAlarmFile alarms(path, sink);
    ASSERT_EQ(alarms.Load(), 0);
    ASSERT_EQ(alarms.records().size(), 2u);
    EXPECT_EQ(alarms.records()[0]->VisibleOnCalendar, 1);
    EXPECT_EQ(alarms.records()[1]->VisibleOnCalendar, 0);
    ASSERT_EQ(alarms.Save(), 0);
    EXPECT_EQ(test::readFile(path), dword(0xFFFF) + bytes({2, 0}) + kDescription + dword(101) +
                                        dword(857381400) + text("Dentist") +
                                        bytes({0, 0, 1, 0, 0, 0, 1, 0}) + bytes({0x01, 0x80}) +
                                        current);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(CAlarmFile, AHeaderThatPromisesMoreRecordsFailsAndKeepsWhatWasRead)
{
    TempDir dir;
    const std::string path = dir.file("daylark.alm");
    test::writeFile(path, dword(100) + bytes({3, 0}) + kDescription + dword(101) + dword(0) +
                              text("kept") + bytes({1, 0, 1, 0, 0, 0, 1, 0}));
    RecordingSink sink;
    CAlarmFile alarms(path, sink);
    EXPECT_EQ(alarms.Load(), 1);
    ASSERT_EQ(alarms.records().size(), 1u);
    EXPECT_EQ(alarms.records()[0]->Name, "kept");
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(sink.messages[0].text.rfind("Archive Exception, 3, reading Alarm \nException: "
                                          "Unexpectedly reached end of file while reading an "
                                          "object.\nThe file as it was is kept in ",
                                          0),
              0u);
}

} // namespace
} // namespace daylark
