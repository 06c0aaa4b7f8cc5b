#include "format/Windows1252.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace daylark::test {
namespace {

std::string utf8Of(std::uint32_t code)
{
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

TEST(Windows1252, SpellsEveryCharacterItHasAndRefusesTheRest)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"", ""},
        {"plain ASCII\r\n", "plain ASCII\r\n"},
        {"caf\xC3\xA9 cr\xC3\xA8me", "caf\xE9 cr\xE8me"},
        {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},                     // Latin-1 at its ends
        {"\xE2\x82\xAC 5", "\x80 5"},                         // the euro sign
        {"\xE2\x80\x9Cquoted\xE2\x80\x9D", "\x93quoted\x94"}, // curly quotes
        {"\xC2\x81\xC2\x9D", "\x81\x9D"},                     // undefined: as shown
        {"\xC2\x80", std::nullopt},                           // its byte is the euro's
        {"\xC4\x80", std::nullopt},                           // A macron: no byte
        {"\xF0\x9F\x98\x80", std::nullopt},                   // beyond U+FFFF
        {"caf\xE9", std::nullopt},                            // not UTF-8 itself
        {"\xC0\xAF", std::nullopt},                           // overlong
        {"\xED\xA0\x80", std::nullopt},                       // a surrogate
        {"caf\xC3", std::nullopt},                            // cut short
        {"\xC3\x28", std::nullopt},                           // not a continuation
    };
    for (const auto& [utf8, expected] : cases) {
        SCOPED_TRACE(::testing::PrintToString(utf8));
        EXPECT_EQ(windows1252FromUtf8(utf8), expected);
    }
}

TEST(Windows1252, EachHighByteHasExactlyOneCharacter)
{
    std::map<unsigned char, std::uint32_t> characterOf;
    for (std::uint32_t code = 0x80; code < 0xD800; ++code) {
        const std::optional<std::string> spelled = windows1252FromUtf8(utf8Of(code));
        if (!spelled) {
            continue;
        }
        ASSERT_EQ(spelled->size(), 1u) << std::hex << code;
        const auto byte = static_cast<unsigned char>((*spelled)[0]);
        EXPECT_GE(byte, 0x80) << std::hex << code;
        EXPECT_TRUE(characterOf.emplace(byte, code).second)
            << "byte " << std::hex << int(byte) << " twice";
    }
    EXPECT_EQ(characterOf.size(), 128u);
    EXPECT_EQ(characterOf[0x8A], 0x0160u); // S caron
    EXPECT_EQ(characterOf[0x97], 0x2014u); // em dash
}

} // namespace
} // namespace daylark::test
