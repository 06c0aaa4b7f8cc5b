#include "format/Windows1252.h"

#include <array>
#include <cstddef>

namespace daylark {

namespace {

/// The characters of the bytes 0x80..0x9F; Latin-1 gives every other byte its own code point.
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

/// The byte of one character; nothing when Windows-1252 has none.
std::optional<char> byteOf(char32_t code)
{
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] == code) {
            return static_cast<char>(0x80 + i);
        }
    }
    // The rest of the C1 block would take the bytes of the characters above.
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        return static_cast<char>(code);
    }
    return std::nullopt;
}

/// The character starting at `at`, which moves past it; nothing for bytes that are not UTF-8
/// (overlong forms and surrogates among them). Characters beyond U+FFFF have no byte in
/// Windows-1252 and are refused unread.
std::optional<char32_t> nextCharacter(std::string_view text, std::size_t& at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    std::size_t length = 0;
    unsigned char low = 0x80; // the range of the second byte, which rules out overlong forms
    unsigned char high = 0xBF;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    at += length;
    return code;
}

} // namespace

char32_t windows1252Character(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighBlock[byte - 0x80] : char32_t(byte);
}

} // namespace daylark

std::optional<std::string> daylark::windows1252FromUtf8(std::string_view utf8)
{
    std::string spelled;
    spelled.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::optional<char32_t> code = nextCharacter(utf8, at);
        if (!code) {
            return std::nullopt;
        }
        const std::optional<char> byte = byteOf(*code);
        if (!byte) {
            return std::nullopt;
        }
        spelled += *byte;
    }
    return spelled;
}
