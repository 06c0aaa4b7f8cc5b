#include "alarms/CDaylarkAlarm.h"
#include "format/CRecordArchive.h"
#include "records/CDaylarkFuture.h"
#include "records/CDaylarkTodo.h"
#include "support/MemoryFile.h"

#include <gtest/gtest.h>

namespace daylark {
namespace {

using test::MemoryFile;

std::string bytes(std::initializer_list<int> values)
{
    std::string result;
    for (int value : values) {
        result += static_cast<char>(value);
    }
    return result;
}

template <class Record> std::string storedRecord(const Record& record)
{
    MemoryFile file;
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    ar.WriteObject(&record);
    ar.Close();
    return file.data;
}

template <class Record> std::unique_ptr<Record> loadedRecord(const std::string& data)
{
    MemoryFile file(data);
    CRecordArchive ar(file, CRecordArchive::Mode::Loading);
    return ar.ReadNewObject<Record>();
}

const std::string kAlarmDescription = bytes({0xFF, 0xFF, 0x01, 0x00, 0x0D, 0x00}) + "CDaylarkAlarm";

TEST(RecordClasses, AlarmFieldsAreWrittenInOrderAndOldRecordsLackTheCalendarFlag)
{
    CDaylarkAlarm alarm;
    alarm.Name = "Tea";
    alarm.Time = 0x01020304;
    alarm.Frequency = static_cast<std::int16_t>(Frequency::Birthday);
    alarm.MessageBoxFlag = 0;
    alarm.Announced = 1;
    alarm.VisibleOnCalendar = 0;
    const std::string fields =
        bytes({101, 0, 0, 0, 0x04, 0x03, 0x02, 0x01, 3}) + "Tea" + bytes({7, 0, 0, 0, 1, 0});
    EXPECT_EQ(storedRecord(alarm), kAlarmDescription + fields + bytes({0, 0}));

    // A version-100 record has six fields and keeps VisibleOnCalendar set; its WORD flags are
    // widened without sign, its frequency with it.
    const std::string old = kAlarmDescription + bytes({100, 0, 0, 0, 0, 0, 0, 0, 1, 'x'}) +
                            bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0});
    const auto read = loadedRecord<CDaylarkAlarm>(old);
    EXPECT_EQ(read->RecordVersion, 100);
    EXPECT_EQ(read->Frequency, -1);
    EXPECT_EQ(read->MessageBoxFlag, 0xFFFF);
    EXPECT_EQ(read->VisibleOnCalendar, 1);
    EXPECT_EQ(storedRecord(*read).size(), old.size());
}

TEST(RecordClasses, FutureNotesAndListsRoundTrip)
{
    CDaylarkFuture note;
    note.Text = "Call\r\nBob";
    note.Date = 857347200;
    note.Version = CDaylarkFuture::kWrittenVersion;
    const std::string noteBytes = storedRecord(note);
    EXPECT_EQ(noteBytes, bytes({0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00}) + "CDaylarkFuture" +
                             bytes({101, 0, 0, 0, 0x80, 0x14, 0x1A, 0x33, 9}) + "Call\r\nBob");
    const auto readNote = loadedRecord<CDaylarkFuture>(noteBytes);
    EXPECT_EQ(readNote->Text, note.Text);
    EXPECT_EQ(readNote->Date, note.Date);

    CDaylarkTodo list;
    list.Version = 123;
    list.Created = 1;
    list.LastChanged = -2;
    list.Name = "Books";
    list.Contents = "{} Dune";
    const auto readList = loadedRecord<CDaylarkTodo>(storedRecord(list));
    EXPECT_EQ(readList->Version, 123u);
    EXPECT_EQ(readList->Created, 1);
    EXPECT_EQ(readList->LastChanged, -2);
    EXPECT_EQ(readList->Name, "Books");
    EXPECT_EQ(readList->Contents, "{} Dune");
}

} // namespace
} // namespace daylark
