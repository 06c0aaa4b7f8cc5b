#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace daylark {

/// The Windows-1252 spelling of a UTF-8 text, as pages written by the older program on Windows
/// hold it. Nothing when the text is not valid UTF-8 or holds a character that Windows-1252
/// has no byte for. The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
/// 0x9D) stand for the C1 code points of the same number, as the page view shows them, so a
/// text spelled here reads back as the same characters there.
std::optional<std::string> windows1252FromUtf8(std::string_view utf8);

/// The character a Windows-1252 byte stands for (all below U+10000), with the same five C1
/// code points for the undefined bytes.
char32_t windows1252Character(unsigned char byte);

} // namespace daylark
