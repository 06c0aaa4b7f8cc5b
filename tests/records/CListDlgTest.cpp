#include "records/CListDlg.h"

#include "records/CTodoFile.h"
#include "support/FixedClock.h"
#include "support/RecordFileTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace daylark::test {
namespace {

constexpr std::int64_t kMade = 857397900;
constexpr std::int64_t kNow = 857401500;

struct ListDlgTest : StoreOnDisk<CTodoFile>
{
    /// Writes lists of these names, in this order, each with "<name> text" as contents.
    void saveLists(const std::vector<std::string>& names)
    {
        CTodoFile lists(path, sink);
        for (const std::string& name : names) {
            auto list = std::make_unique<CDaylarkTodo>();
            list->Name = name;
            list->Contents = name + " text";
            list->Created = list->LastChanged = kMade;
            lists.add(std::move(list));
        }
        ASSERT_EQ(lists.Save(), 0);
    }
    std::vector<std::string> contentsOnFile()
    {
        return fieldOnFile<CTodoFile>(path, &CDaylarkTodo::Contents);
    }

    FixedClock clock{kNow};
    CListDlg dlg{store, clock, sink};
};

TEST_F(ListDlgTest, WithoutAFileAddMakesTheListAndOkSavesWhatWasTyped)
{
    dlg.Open();
    EXPECT_TRUE(dlg.names().empty());
    EXPECT_FALSE(dlg.selection());
    EXPECT_EQ(dlg.contents(), "");
    EXPECT_EQ(dlg.name(), "New List");

    dlg.Add();
    EXPECT_EQ(dlg.names(), std::vector<std::string>{"New List"});
    EXPECT_EQ(dlg.selection(), 0u);
    EXPECT_FALSE(dlg.contentsModified());

    // An empty name and the same name again are ignored; another case is another list.
    for (const char* name : {"", "New List", "new list"}) {
        dlg.setName(name);
        dlg.Add();
    }
    EXPECT_EQ(dlg.names(), (std::vector<std::string>{"new list", "New List"}));
    EXPECT_EQ(dlg.selection(), 0u);

    dlg.EditContents("{} milk\r\n");
    clock.advance(60);
    EXPECT_TRUE(dlg.Ok());
    EXPECT_FALSE(dlg.isOpen());
    EXPECT_EQ(store.holders(), 0);

    CTodoFile onFile(path, sink);
    onFile.Load();
    ASSERT_EQ(onFile.records().size(), 2u);
    EXPECT_EQ(onFile.records()[0]->Name, "New List"); // records stay in the order made
    const CDaylarkTodo& typed = *onFile.records()[1];
    EXPECT_EQ(typed.Name, "new list");
    EXPECT_EQ(typed.Contents, "{} milk\r\n");
    EXPECT_EQ(typed.Created, kNow);
    EXPECT_EQ(typed.LastChanged, kNow + 60);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ListDlgTest, APickStoresTheTypedTextBeforeTheNextListShows)
{
    saveLists({"b", "A", "dup", "C", "dup"});
    dlg.Open();
    EXPECT_EQ(dlg.names(), (std::vector<std::string>{"A", "b", "C", "dup", "dup"}));
    EXPECT_EQ(dlg.contents(), "A text");

    dlg.EditContents("A edited");
    dlg.SelectEntry(1);
    EXPECT_EQ(dlg.contents(), "b text");
    EXPECT_FALSE(dlg.contentsModified());
    EXPECT_EQ(store.FindList("A")->Contents, "A edited");
    EXPECT_EQ(store.FindList("A")->LastChanged, kNow);
    EXPECT_EQ(store.FindList("b")->LastChanged, kMade);

    // Both entries of a name show, and edit, the first list of that name.
    dlg.SelectEntry(4);
    EXPECT_EQ(dlg.contents(), "dup text");
    dlg.EditContents("dup edited");
    dlg.SelectEntry(3);
    EXPECT_EQ(dlg.contents(), "dup edited");
    dlg.SelectEntry(99); // past the end: nothing
    EXPECT_EQ(dlg.selection(), 3u);

    // Typing into a list and pressing OK saves it, with no pick in between.
    dlg.SelectEntry(2);
    dlg.EditContents("C edited");
    EXPECT_TRUE(dlg.Ok());
    EXPECT_EQ(contentsOnFile(), (std::vector<std::string>{"b text", "A edited", "dup edited",
                                                          "C edited", "dup text"}));
}

TEST_F(ListDlgTest, DeleteShowsTheEntryBeforeAndDropsUncommittedText)
{
    saveLists({"one", "two", "three"}); // shown: one, three, two
    struct Step
    {
        std::size_t pick;
        std::vector<std::string> namesAfter;
        std::optional<std::size_t> selectionAfter;
        std::string contentsAfter;
    };
    const Step steps[] = {
        {2, {"one", "three"}, 1, "three text"}, // the entry before the removed one
        {0, {"three"}, 0, "three text"},        // the first removed: the new first
        {0, {}, std::nullopt, ""},              // the last removed: nothing shown
    };
    dlg.Open();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.namesAfter.size());
        dlg.SelectEntry(step.pick);
        dlg.EditContents("dropped");
        dlg.Delete();
        EXPECT_EQ(dlg.names(), step.namesAfter);
        EXPECT_EQ(dlg.selection(), step.selectionAfter);
        EXPECT_EQ(dlg.contents(), step.contentsAfter);
        EXPECT_FALSE(dlg.contentsModified());
    }
    dlg.EditContents("typed with no list");
    dlg.Delete(); // nothing selected: nothing happens
    EXPECT_TRUE(dlg.Ok());
    EXPECT_TRUE(contentsOnFile().empty());
    EXPECT_EQ(readFile(path), dword(100) + bytes({0, 0}));
}

TEST_F(ListDlgTest, OkWithoutEditsRewritesTheSameBytesAndEscapeAsksBeforeItDropsEdits)
{
    saveLists({"one", "two"});
    const std::string before = readFile(path);

    dlg.Open();
    EXPECT_TRUE(store.changed()); // showing the first list counts as a change
    std::filesystem::remove(path);
    EXPECT_TRUE(dlg.Ok());
    EXPECT_EQ(readFile(path), before);

    dlg.Open();
    dlg.setName("three");
    dlg.Add();
    dlg.EditContents("new text");
    dlg.SelectEntry(0);
    dlg.Delete();
    // Escape asks before it drops them; Cancel goes back to the dialog, No drops them.
    sink.answers = {MessageAnswer::Cancel, MessageAnswer::No};
    EXPECT_FALSE(dlg.Escape());
    EXPECT_TRUE(dlg.isOpen());
    EXPECT_TRUE(dlg.Escape());
    EXPECT_EQ(sink.texts(), (std::vector<std::string>(2, "Keep your changes?")));
    EXPECT_EQ(store.holders(), 0);
    EXPECT_TRUE(store.records().empty());
    EXPECT_EQ(readFile(path), before);

    // Without a change Escape closes at once; after one, Yes keeps it as OK does.
    sink.clear();
    dlg.Open();
    dlg.SelectEntry(1);
    EXPECT_TRUE(dlg.Escape());
    EXPECT_TRUE(sink.messages.empty());
    dlg.Open();
    dlg.EditContents("one, changed");
    dlg.SelectEntry(1); // the typed text reaches the list
    sink.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(dlg.Escape());
    EXPECT_EQ(contentsOnFile(), (std::vector<std::string>{"one, changed", "two text"}));
}

TEST_F(ListDlgTest, AFailedSaveKeepsTheDialogOpenWithItsEdits)
{
    const std::string gone = dir.file("gone");
    CTodoFile lists(gone + "/daylark.tdl", sink);
    CListDlg failing(lists, clock, sink);
    failing.Open();
    failing.Add();
    failing.EditContents("keep me");

    EXPECT_FALSE(failing.Ok());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text.rfind("File Exception, ", 0), 0u);
    EXPECT_TRUE(failing.isOpen());
    EXPECT_EQ(failing.contents(), "keep me");

    std::filesystem::create_directory(gone);
    EXPECT_TRUE(failing.Ok());
    EXPECT_EQ(fieldOnFile<CTodoFile>(gone + "/daylark.tdl", &CDaylarkTodo::Contents),
              std::vector<std::string>{"keep me"});
}

TEST(ListNameOrder, LettersFirstThenLowerCaseBeforeUpper)
{
    const std::vector<std::string> sorted = {"", "a", "A", "ab", "aB", "Ab", "b", "B1", "z", "~"};
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        for (std::size_t j = 0; j < sorted.size(); ++j) {
            SCOPED_TRACE(sorted[i] + " vs " + sorted[j]);
            EXPECT_EQ(listNameBefore(sorted[i], sorted[j]), i < j);
        }
    }
}

} // namespace
} // namespace daylark::test
