#include "diary/CDaylarkDoc.h"

#include "diary/DiaryTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace daylark::test {
namespace {

constexpr std::int64_t kNow = 857397900; // Monday 3 March 1997, 14:05 UTC

class DaylarkDocTest : public ::testing::Test
{
protected:
    DaylarkDocTest() { doc.setLocations(locate(dir.path(), path)); }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    const std::string path = dir.file("daylark.day");
    RecordingSink sink;
    FixedClock clock{kNow};
    Profile profile{dir.file("daylark.ini"), sink};
    CDaylarkDoc doc{sink, clock, profile};
};

TEST_F(DaylarkDocTest, ReadsBothLayoutsAndAlwaysWritesTheVersionedOne)
{
    struct Case
    {
        const char* what;
        std::string file;
        std::uint32_t version, flag;
        std::int64_t date;
        std::string page; ///< the text read and written back
    };
    const std::int64_t date = 857300000;
    const std::string binary("\xE9\0z", 3);
    const Case cases[] = {
        {"versioned", dayFileBytes(date, "a\r\r\nb"), 2, 0, date, "a\r\r\nb"},
        {"999 is a version", dayFileBytes(date, "x", 7, 999), 999, 7, date, "x"},
        {"1000 is the old layout's date", dword(1000) + text("hi"), 2, 0, 1000, "hi"},
        {"old layout, bytes kept", dword(date) + text(binary), 2, 0, date, binary},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(path, c.file);
        CDaylarkDoc fresh(sink, clock, profile);
        fresh.setLocations(locate(dir.path(), path));
        ASSERT_EQ(fresh.Load(), CDaylarkDoc::LoadResult::Loaded);
        EXPECT_EQ(fresh.dayFileVersion(), c.version);
        EXPECT_EQ(fresh.dayFileFlag(), c.flag);
        EXPECT_EQ(fresh.pageDate(), c.date);
        EXPECT_EQ(fresh.shownDate(), c.date);
        EXPECT_EQ(fresh.pageText().text(), c.page);
        EXPECT_FALSE(fresh.isModified());
        ASSERT_TRUE(fresh.Save());
        EXPECT_EQ(readFile(path), dayFileBytes(c.date, c.page, 0, c.version)); // the flag as 0
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DaylarkDocTest, SaveModifiedCreatesTheFileOnlyWhenTodaysPageChanged)
{
    EXPECT_EQ(doc.Load(), CDaylarkDoc::LoadResult::Missing);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(fileExists(path)); // nothing changed, nothing written

    doc.pageText().setText("typed");
    doc.setShownDate(kNow - 86400); // browsing yesterday: nothing is saved
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(fileExists(path));

    doc.setShownDate(kNow);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(readFile(path), dayFileBytes(kNow, "typed"));
    EXPECT_FALSE(doc.isModified());
    const FileStatus status = fileStatus(path);
    EXPECT_EQ(doc.dayFileStatus(), (CDaylarkDoc::DayFileStatus{status.modified, status.size,
                                                               status.modifiedNanoseconds}));
    // Another program rewrites the file within the same second at the same size: still seen.
    const std::string saved = readFile(path);
    writeFile(path, dayFileBytes(kNow, "TYPED"));
    const timespec times[2] = {{status.modified, (status.modifiedNanoseconds + 1) % 1000000000},
                               {status.modified, (status.modifiedNanoseconds + 1) % 1000000000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_TRUE(doc.CheckDayFile(/*merge=*/false));
    writeFile(path, saved);
    doc.rememberDayFileStatus();

    doc.setLocations(locate(dir.path(), dir.file("missing/daylark.day")));
    doc.pageText().setText("unsaved");
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"File Exception, 2, saving daylark.day "
                                                     "\nException: The File could not be "
                                                     "located."});
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DaylarkDocTest, ADamagedDayFileIsCopiedAsideBeforeAnythingOverwritesIt)
{
    const std::string cut = dayFileBytes(kNow, "written yesterday").substr(0, 20);
    const std::string shorter = cut.substr(0, 19);
    doc.pageText().setText("kept");
    // The same damage is copied once, and named again at every later start.
    const std::pair<std::string, const char*> loads[] = {{cut, "daylark.day.damaged.000"},
                                                         {cut, "daylark.day.damaged.000"},
                                                         {shorter, "daylark.day.damaged.001"}};
    for (const auto& [bytes, copy] : loads) {
        SCOPED_TRACE(copy);
        writeFile(path, bytes);
        EXPECT_EQ(doc.Load(), CDaylarkDoc::LoadResult::Damaged);
        EXPECT_EQ(sink.texts(), std::vector<std::string>{
                                    "Archive Exception, 3, reading daylark.day file \nException: "
                                    "Unexpectedly reached end of file while reading an object.\n"
                                    "The file was kept as " +
                                    dir.file(copy) + "."});
        EXPECT_EQ(readFile(dir.file(copy)), bytes);
        EXPECT_EQ(doc.pageText().text(), "kept");
        sink.clear();
    }
    EXPECT_FALSE(fileStatus(dir.file("daylark.day.damaged.002")).exists);
    EXPECT_TRUE(doc.Save()); // with its copy made, the file may be overwritten

    // A day file that cannot even be copied is never overwritten.
    removeFile(path);
    createDirectories(path);
    EXPECT_EQ(doc.Load(), CDaylarkDoc::LoadResult::Damaged);
    EXPECT_NE(sink.texts().at(0).find("will not be overwritten"), std::string::npos);
    doc.pageText().setText("new");
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(sink.messages.size(), 2u);
    EXPECT_TRUE(fileStatus(path).isDirectory);
}

TEST_F(DaylarkDocTest, PageFontIsReadFieldByFieldFromTheProfileAndWrittenBack)
{
    const auto font = [](std::int32_t height, std::int32_t weight, int pitch, std::string face) {
        return PageFont{height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, std::uint8_t(pitch), face};
    };
    const std::pair<const char*, PageFont> cases[] = {
        {"", PageFont{}},
        {"-16,0,0,0,700,0,0,0,0,0,0,0,34,Two  Blanks", font(-16, 700, 34, "Two  Blanks")},
        {"-16, 0,0,0, +700,0,0,0,0,0,0,0,34,X", font(-16, 700, 34, "X")},
        {"-16,0,0,0,700,0,0,0,0,0,0,0,34", font(-16, 700, 34, "")},
        {"-16,0,0,x,700,0,0,0,0,0,0,0,34,Face", font(-16, 0, 0, "")},
        {"-16 ,0,0,0,700,0,0,0,0,0,0,0,34,Face", font(-16, 0, 0, "")},
        {"4294967297,0,0,0,0,0,0,0,0,0,0,0,-1,F", font(1, 0, 255, "F")},
        {"0,0,0,0,0,0,0,0,0,0,0,0,0,ABCDEFGHIJKLMNOPQRSTUVWXYZ012345",
         font(0, 0, 0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234")},
        // 30 letters and a two-byte letter that does not fit whole.
        {"0,0,0,0,0,0,0,0,0,0,0,0,0,ABCDEFGHIJKLMNOPQRSTUVWXYZ0123\xC3\xA9",
         font(0, 0, 0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123")},
    };
    BufferPageText view;
    doc.attachPageText(view);
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        profile.writeString("Settings", "Font", value);
        doc.LoadPageFont();
        EXPECT_EQ(view.font(), expected);
    }

    const PageFont every{-21, 7, -900, 900, 600, 1, 1, 1, 238, 3, 2, 5, 2, "Noto Serif"};
    doc.SetPageFont(every);
    doc.SavePageFont();
    EXPECT_EQ(profile.readString("Settings", "Font", ""),
              "-21,7,-900,900,600,1,1,1,238,3,2,5,2,Noto Serif");
    doc.SetPageFont({});
    doc.LoadPageFont();
    EXPECT_EQ(view.font(), every);
}

} // namespace
} // namespace daylark::test
