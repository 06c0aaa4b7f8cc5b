#pragma once

#include "alarms/CAlarmFile.h"
#include "diary/CPageArchive.h"
#include "format/CRecordArchive.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "platform/TimeText.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

// Writing and reading the files of a data set as the tests set them up and compare them.
namespace daylark::test {

/// A page as the tests write and compare them: its local date "YYYY-MM-DD" and its text.
using DatedText = std::pair<std::string, std::string>;

inline ino_t inodeOf(const std::string& path)
{
    struct stat info = {};
    ::stat(path.c_str(), &info);
    return info.st_ino;
}

/// Files each page, dated noon local time, into the archive at `path`.
inline void filePages(const std::string& path, const std::vector<DatedText>& pages,
                      const FixedClock& clock)
{
    RecordingSink sink;
    CPageArchive archive(path, sink, clock);
    for (const auto& [day, text] : pages) {
        CDaylarkPage page;
        page.Date = *parseLocalDate(day) + 12 * 3600;
        page.Text = text;
        EXPECT_GT(archive.AppendPage(page), 0);
    }
    EXPECT_TRUE(sink.messages.empty()) << sink.texts()[0];
}

/// The pages of an archive in file order; any message while reading fails the test.
inline std::vector<DatedText> pagesOf(const std::string& path)
{
    RecordingSink sink;
    FixedClock clock;
    CPageArchive archive(path, sink, clock);
    archive.LoadAllPages();
    EXPECT_TRUE(sink.messages.empty()) << path << ": " << sink.texts()[0];
    std::vector<DatedText> pages;
    for (const auto& page : archive.pages()) {
        pages.emplace_back(formatTime("%Y-%m-%d", page->Date, false), page->Text);
    }
    return pages;
}

/// The fields of a current-day file; `version` 0 stands for the old layout.
struct DayFileContent
{
    std::uint32_t version = 2;
    std::int64_t pageDate = 0;
    std::uint32_t flag = 0;
    std::string text;
    bool operator==(const DayFileContent&) const = default;
};

inline void writeDayFile(const std::string& path, const DayFileContent& day)
{
    File file(path, File::Mode::Create);
    CRecordArchive ar(file, CRecordArchive::Mode::Storing);
    if (day.version != 0) {
        ar.writeDword(day.version);
    }
    ar.writeTime(day.pageDate);
    if (day.version != 0) {
        ar.writeDword(day.flag);
    }
    ar.writeString(day.text);
    ar.Close();
}

/// Reads the versioned layout.
inline DayFileContent readDayFile(const std::string& path)
{
    File file(path, File::Mode::Read);
    CRecordArchive ar(file, CRecordArchive::Mode::Loading);
    DayFileContent day;
    day.version = ar.readDword();
    day.pageDate = ar.readTime();
    day.flag = ar.readDword();
    day.text = ar.readString();
    return day;
}

inline CDaylarkFuture note(const std::string& day, std::string text)
{
    CDaylarkFuture made;
    made.Date = *parseLocalDate(day);
    made.Text = std::move(text);
    return made;
}

inline CDaylarkTodo list(std::string name, std::string contents, std::int64_t lastChanged = 0)
{
    CDaylarkTodo made;
    made.Name = std::move(name);
    made.Contents = std::move(contents);
    made.LastChanged = lastChanged;
    return made;
}

/// An alarm at a local "YYYY-MM-DD HH:MM".
inline CDaylarkAlarm alarm(std::string name, const std::string& at, Frequency every, int box = 1,
                           int announced = 0, int visible = 1)
{
    CDaylarkAlarm made;
    made.Name = std::move(name);
    made.Time = *parseLocalDateTime(at);
    made.Frequency = static_cast<std::int16_t>(every);
    made.MessageBoxFlag = box;
    made.Announced = announced;
    made.VisibleOnCalendar = visible;
    return made;
}

/// Writes a record file holding exactly `records`.
template <class Store, class... Records>
void saveRecords(const std::string& path, Records... records)
{
    RecordingSink sink;
    Store file(path, sink);
    (file.add(std::make_unique<Records>(std::move(records))), ...);
    EXPECT_EQ(file.Save(), 0);
}

inline std::string describe(const CDaylarkFuture& note)
{
    return formatTime("%Y-%m-%d ", note.Date, false) + note.Text;
}

inline std::string describe(const CDaylarkTodo& list)
{
    return list.Name + " " + list.Contents;
}

/// Local time, name, version, frequency, then the box, announced and visible flags.
inline std::string describe(const CDaylarkAlarm& a)
{
    return formatTime("%Y-%m-%d %H:%M ", a.Time, false) + a.Name + " v" +
           std::to_string(a.RecordVersion) + " f" + std::to_string(a.Frequency) + " " +
           std::to_string(a.MessageBoxFlag) + std::to_string(a.Announced) +
           std::to_string(a.VisibleOnCalendar);
}

/// Every record of a record file described, sorted; reading it must show no message.
template <class Store> std::vector<std::string> recordsOf(const std::string& path)
{
    RecordingSink sink;
    Store file(path, sink);
    file.Load();
    std::vector<std::string> records;
    for (const auto& record : file.records()) {
        records.push_back(describe(*record));
    }
    EXPECT_TRUE(sink.messages.empty()) << path;
    std::sort(records.begin(), records.end());
    return records;
}

} // namespace daylark::test
