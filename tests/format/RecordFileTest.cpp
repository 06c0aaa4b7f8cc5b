#include "format/RecordFile.h"

#include "platform/ByteFile.h"
#include "platform/LocalTime.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "support/RecordFileTestSupport.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace daylark::test {
namespace {

/// Passes through to the real file; a read or a write beyond its limit fails as a broken or a
/// full disk would.
struct FailingDevice : ByteFile
{
    FailingDevice(ByteFile& file, std::size_t readLimit, std::size_t writeLimit)
        : inner(file)
        , readLeft(readLimit)
        , writeLeft(writeLimit)
    {}
    std::size_t read(void* buffer, std::size_t size) override
    {
        readLeft = size <= readLeft ? readLeft - size : throw CFileException(10, EIO);
        return inner.read(buffer, size);
    }
    void write(const void* buffer, std::size_t size) override
    {
        writeLeft = size <= writeLeft ? writeLeft - size : throw CFileException(13, ENOSPC);
        inner.write(buffer, size);
    }
    std::int64_t seek(std::int64_t offset, SeekFrom from) override
    {
        return inner.seek(offset, from);
    }
    std::int64_t position() override { return inner.position(); }
    std::int64_t length() override { return inner.length(); }

    ByteFile& inner;
    std::size_t readLeft;
    std::size_t writeLeft;
};

std::vector<std::string> noteTexts(const std::string& path)
{
    return fieldOnFile<CFutureFile>(path, &CDaylarkFuture::Text);
}

void saveLists(const std::string& path, const std::vector<std::string>& contents)
{
    RecordingSink sink;
    CTodoFile lists(path, sink);
    for (const std::string& text : contents) {
        auto list = std::make_unique<CDaylarkTodo>();
        list->Name = "L" + std::to_string(lists.records().size());
        list->Contents = text;
        lists.add(std::move(list));
    }
    ASSERT_EQ(lists.Save(), 0);
}

// The day view (outer holder) has unsaved edits when the change of day (inner holder) moves
// due notes: the move reaches the file, the day view's edits only when it saves.
TEST(RecordFile, NestedChangeOfDayKeepsTheOuterHoldersEditsForBothEndings)
{
    ScopedTimeZone zone(kEastern);
    const std::int64_t today = makeLocalTime(1997, 3, 3);
    for (const bool outerSaves : {true, false}) {
        SCOPED_TRACE(outerSaves ? "outer saves" : "outer discards");
        TempDir dir;
        const std::string path = dir.file("daylark.fut");
        RecordingSink sink;
        CFutureFile notes(path, sink);
        notes.AddNote("due", today);
        notes.AddNote("later", addLocalDays(today, 3));
        notes.AddNote("dropped by the view", addLocalDays(today, 5));
        ASSERT_EQ(notes.Save(), 0);
        notes.Empty();

        notes.Load();
        notes.setChanged(false);
        CDaylarkFuture* viewed = notes.FindNote(addLocalDays(today, 3));
        ASSERT_NE(viewed, nullptr);
        viewed->Text = "later, edited";
        notes.RemoveNote(notes.FindNote(addLocalDays(today, 5)));
        notes.AddNote("added by the view", addLocalDays(today, 4));
        notes.setChanged(true);

        // The change of day, nested inside the view.
        notes.Load();
        EXPECT_EQ(notes.records().size(), 3u); // the held list, not a second copy
        std::string page = "page";
        notes.MoveDueNotes(page, today);
        notes.AddNote("added by the change of day", addLocalDays(today, 9));
        ASSERT_EQ(notes.Save(), 0);
        notes.Empty();

        const std::vector<std::string> afterChange = {"later", "dropped by the view",
                                                      "added by the change of day"};
        EXPECT_EQ(page, "page\r\r\ndue");
        EXPECT_EQ(noteTexts(path), afterChange);
        EXPECT_TRUE(notes.changed());
        ASSERT_EQ(notes.records().size(), 3u);
        EXPECT_EQ(viewed->Text, "later, edited");

        if (outerSaves) {
            ASSERT_EQ(notes.Save(), 0);
        }
        notes.Empty();
        const std::vector<std::string> withView = {"later, edited", "added by the view",
                                                   "added by the change of day"};
        EXPECT_EQ(noteTexts(path), outerSaves ? withView : afterChange);
        EXPECT_TRUE(notes.records().empty());
        EXPECT_TRUE(sink.messages.empty());
    }
}

// Every way a save can fail leaves the old file whole and no temporary file behind, under the
// context line of where it failed; a read failure is told apart the same way.
TEST(RecordFile, FailuresKeepTheOldFileAndNameWhereTheyHappened)
{
    const std::string big(6000, 'x'); // larger than the stream's buffer
    struct Case
    {
        const char* name;
        std::size_t readLimit;
        std::size_t writeLimit;
        bool saving;
        std::string contents; ///< of the list added before saving
        std::string message;
    };
    const Case cases[] = {
        {"disk full while closing", SIZE_MAX, 0, true, "small",
         "File Exception, 13, closing Todo list \nException: The Disk is Full!"},
        {"disk full inside a record", SIZE_MAX, 100, true, big,
         "File Exception, 13, archiving ToDo List. \nException: The Disk is Full!"},
        {"read error in the header", 0, SIZE_MAX, false, "",
         "File Exception, 10, reading Todo list \nException: There was a hardware error!"},
        {"read error inside a record", 4096, SIZE_MAX, false, "",
         "File Exception, 10, archiving ToDo List. \nException: There was a hardware error!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("daylark.tdl");
        saveLists(path, {"small", big});
        const std::string before = readFile(path);

        RecordingSink sink;
        CTodoFile lists(path, sink);
        lists.setDeviceFilter([&c](ByteFile& file) {
            return std::make_unique<FailingDevice>(file, c.readLimit, c.writeLimit);
        });
        if (c.saving) {
            lists.add(std::make_unique<CDaylarkTodo>())->Contents = c.contents;
            EXPECT_EQ(lists.Save(), 1);
        } else {
            EXPECT_EQ(lists.Load(), 1);
            EXPECT_EQ(lists.records().size(), c.readLimit == 0 ? 0u : 1u);
        }
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text.substr(0, c.message.size()), c.message);
        EXPECT_EQ(readFile(path), before);
        const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()),
                                           std::filesystem::directory_iterator());
        EXPECT_EQ(entries, c.saving ? 1 : 2); // a file that failed to read is copied aside
    }
}

using TodoFileOnDisk = StoreOnDisk<CTodoFile>;

TEST_F(TodoFileOnDisk, AFileThatFailsToReadIsCopiedAsideOnceBeforeItIsOverwritten)
{
    saveLists(path, {"one", "two"});
    const std::string whole = readFile(path);
    const std::string cut = whole.substr(0, whole.size() - 2);
    writeFile(path, cut);
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(store.Load(), 1);
        ASSERT_EQ(store.records().size(), 1u); // the record read before the failure stays
        store.Empty();
    }
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[1].text,
              "Archive Exception, 3, reading Todo list \nException: Unexpectedly reached end of "
              "file while reading an object.\nThe file as it was is kept in " +
                  path + ".damaged.000.");
    EXPECT_EQ(readFile(path + ".damaged.000"), cut);
    EXPECT_FALSE(fileExists(path + ".damaged.001"));

    // What cannot be copied aside is not written over.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    sink.clear();
    EXPECT_EQ(store.Load(), 1);
    EXPECT_EQ(store.Save(), 1);
    ASSERT_EQ(sink.messages.size(), 2u);
    const std::string refused = "File Exception, 5, looking for Todo list \nException: Your "
                                "access to this file is denied.\nIt could not be copied aside";
    EXPECT_EQ(sink.messages[0].text.substr(0, refused.size()), refused);
    EXPECT_NE(sink.messages[1].text.find("Nothing was saved"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(TodoFileOnDisk, AListCannotGrowBeyondWhatItsCountCanHold)
{
    for (std::size_t i = 0; i < RecordFileBase::kMaxRecords; ++i) {
        ASSERT_NE(store.add(std::make_unique<CDaylarkTodo>()), nullptr);
    }
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(store.add(std::make_unique<CDaylarkTodo>()), nullptr);
    EXPECT_EQ(store.records().size(), RecordFileBase::kMaxRecords);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].text.find("at most 65535 lists"), std::string::npos);
}

} // namespace
} // namespace daylark::test
