#include "diary/TaskBox.h"

#include "diary/BufferPageText.h"

#include <gtest/gtest.h>

#include <utility>

namespace daylark::test {
namespace {

/// `marked` is the page with the selection shown as '[' and ']' (or a caret as '|').
BufferPageText pageOf(std::string marked)
{
    std::size_t start = marked.find_first_of("[|");
    std::size_t end = start;
    if (marked[start] == '[') {
        end = marked.find(']') - 1;
        marked.erase(end + 1, 1);
    }
    marked.erase(start, 1);
    BufferPageText page;
    page.setText(marked);
    page.setSelection(start, end);
    return page;
}

std::string marked(const BufferPageText& page)
{
    // Built by appending: gcc 12 at -O3 reports a false -Wrestrict in std::string::insert.
    const std::string text = page.text();
    const PageText::Selection selection = page.selection();
    std::string result = text.substr(0, selection.start);
    if (selection.start == selection.end) {
        return result.append("|").append(text, selection.start);
    }
    return result.append("[")
        .append(text, selection.start, selection.end - selection.start)
        .append("]")
        .append(text, selection.end);
}

TEST(TaskBox, TogglesTheBoxAtTheStartOfTheCaretsLineOfAnEditablePage)
{
    const std::pair<const char*, const char*> cases[] = {
        {"{} tea|", "{x} tea|"},
        {"{x} tea|", "{} tea|"},
        {"{ } t|ea", "{x} t|ea"},
        {"{ok} tea|", "{} tea|"},
        {"tea|", "{} tea|"},
        {"|", "{} |"},
        {"one\r\n|", "one\r\n{} |"},
        {"one\r\r\n  two|\r\nthree", "one\r\r\n  {} two|\r\nthree"},
        {"{x} one\r\n{x} t|wo", "{x} one\r\n{} t|wo"},
        {"|{x} tea", "|{} tea"},
        {"{|x} tea", "{}| tea"},
        {"{abc} tea|", "{} {abc} tea|"}, // three characters inside: no box
        {"{\r\n} tea|", "{\r\n{} } tea|"},
        {"{} [tea\r\nand] cake", "{x} [tea\r\nand] cake"},
    };
    for (const auto& [before, after] : cases) {
        SCOPED_TRACE(before);
        BufferPageText page = pageOf(before);
        page.setModified(false);
        EXPECT_TRUE(ToggleTaskBox(page));
        EXPECT_EQ(marked(page), after);
        EXPECT_TRUE(page.modified());
    }

    // A read-only page is left alone.
    BufferPageText page = pageOf("{} tea|");
    page.setReadOnly(true);
    EXPECT_FALSE(ToggleTaskBox(page));
    EXPECT_EQ(marked(page), "{} tea|");
}

} // namespace
} // namespace daylark::test
