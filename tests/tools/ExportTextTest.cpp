#include "tools/ExportText.h"

#include "tools/MarkdownExport.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

TEST(ExportText, StoredBytesBecomeUtf8WithoutLosingAny)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain", "plain"},
        {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},                       // UTF-8 stays
        {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},                               // Windows-1252
        {"\x80\x81", "\xE2\x82\xAC\xC2\x81"},                             // euro, an undefined byte
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                                 // an overlong '/'
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},                 // a surrogate
        {"\xF0\x9F\x98\x80\xF0\x9F", "\xF0\x9F\x98\x80\xC3\xB0\xC5\xB8"}, // cut short at the end
    };
    for (const auto& [stored, utf8] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(utf8FromStored(stored), utf8);
    }
}

TEST(ExportText, LineBreaksTasksAndHardBreaks)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a\r\nb\r\r\nc\nd\re", "a  \nb  \nc  \nd  \ne"},
        {"a\r\r\r\nb", "a\n\nb"}, // a lone CR, then CR CR LF: two breaks
        {"a\r\n\r\nb\r\n", "a\n\nb\n"},
        {"{}x\r\n{ }  y\r\n{x} z\r\n\t{ok}", "- [ ] x\n- [ ]  y\n- [x] z\n\t- [x]"},
        {"{} a\r\nb\r\n{", "- [ ] a\nb  \n{"},
        {"text {} later\r\n{abc} not a box", "text {} later  \n{abc} not a box"},
    };
    for (const auto& [stored, markdown] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(markdownFromText(stored), markdown);
    }
}

TEST(ExportText, ListNamesBecomeFileNamesThatNeverClash)
{
    EXPECT_EQ(MarkdownExport::listFileName("a/b\xE9"), "a_b\xC3\xA9");
    EXPECT_EQ(MarkdownExport::listFileName("..x"), "_.x");
    EXPECT_EQ(MarkdownExport::listFileName(""), "_");
    // 239 bytes and a two-byte character that would end past the limit.
    EXPECT_EQ(MarkdownExport::listFileName(std::string(239, 'n') + "\xE9"), std::string(239, 'n'));

    MarkdownExport names;
    EXPECT_EQ(names.list("a", "").path, "lists/a.md");
    EXPECT_EQ(names.list("a (2)", "").path, "lists/a (2).md");
    EXPECT_EQ(names.list("a", "").path, "lists/a (3).md");
    EXPECT_EQ(names.list("/", "").path, "lists/_.md");
    EXPECT_EQ(names.list("", "").path, "lists/_ (2).md");
}

} // namespace
} // namespace daylark::test
