#pragma once

#include "app/DaylarkApp.h"
#include "diary/CPageArchive.h"
#include "format/CRecordArchive.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/TimeText.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "sync/SyncSide.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace daylark::test {

/// A page as the tests write and compare them: its local date "YYYY-MM-DD" and its text.
using DatedText = std::pair<std::string, std::string>;

inline ino_t inodeOf(const std::string& path)
{
    struct stat info
    {
    };
    ::stat(path.c_str(), &info);
    return info.st_ino;
}

/// Noon, local time, of "YYYY-MM-DD".
inline std::int64_t noonOf(const std::string& day)
{
    return *parseLocalDate(day) + 12 * 3600;
}

/// Files each page into the archive at `path` (created with the clock's time when missing).
inline void filePages(const std::string& path, const std::vector<DatedText>& pages,
                      const FixedClock& clock)
{
    RecordingSink sink;
    CPageArchive archive(path, sink, clock);
    for (const auto& [day, text] : pages) {
        CDaylarkPage page;
        page.Date = noonOf(day);
        page.Text = text;
        archive.AppendPage(page);
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

/// This side's application over `dataDir`, started (the current-day file loaded), as the
/// desktop program has it before its window shows.
inline std::unique_ptr<DaylarkApp> startApp(const std::string& dataDir, const std::string& profile,
                                            MessageSink& messages, const Clock& clock)
{
    LocationOptions options;
    options.dataDir = dataDir;
    options.profile = profile;
    auto app = std::make_unique<DaylarkApp>(
        Locations::resolve(options, [](const char*) -> const char* { return nullptr; }), messages,
        clock);
    app->start();
    return app;
}

inline SyncSide sideOf(DaylarkApp& app, std::function<void(const std::string&)> beforeWrite = {})
{
    return {app.doc(), app.frame().alarmFile(), app.frame().listsFile(), &app.view(),
            std::move(beforeWrite)};
}

} // namespace daylark::test
