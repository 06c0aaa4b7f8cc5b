#include "diary/PageFont.h"

#include <array>
#include <cctype>
#include <optional>

namespace daylark {

namespace {

constexpr std::size_t kNumberFields = 13;

/// One scanf-style decimal number at `pos` (blanks, an optional sign, at least one digit),
/// kept modulo 2^32 so that an overlong number wraps instead of overflowing.
std::optional<std::uint32_t> scanNumber(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t digitsStart = pos;
    std::uint32_t value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        value = value * 10u + static_cast<std::uint32_t>(text[pos] - '0');
        ++pos;
    }
    if (pos == digitsStart) {
        return std::nullopt;
    }
    return negative ? 0u - value : value;
}

/// The first `limit` bytes of `text`, shortened so that no UTF-8 character is cut.
std::string cutAtCharacter(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit) {
        return std::string(text);
    }
    std::size_t size = limit;
    while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) {
        --size;
    }
    return std::string(text.substr(0, size));
}

} // namespace

PageFont PageFont::parse(std::string_view value)
{
    std::array<std::uint32_t, kNumberFields> numbers{};
    std::size_t pos = 0;
    std::size_t parsed = 0;
    for (; parsed < kNumberFields; ++parsed) {
        if (parsed > 0) {
            if (pos >= value.size() || value[pos] != ',') {
                break;
            }
            ++pos;
        }
        const auto number = scanNumber(value, pos);
        if (!number) {
            break;
        }
        numbers[parsed] = *number;
    }

    PageFont font;
    std::int32_t* longs[] = {&font.Height, &font.Width, &font.Escapement, &font.Orientation,
                             &font.Weight};
    std::uint8_t* bytes[] = {&font.Italic,  &font.Underline,     &font.StrikeOut,
                             &font.CharSet, &font.OutPrecision,  &font.ClipPrecision,
                             &font.Quality, &font.PitchAndFamily};
    for (std::size_t i = 0; i < parsed; ++i) {
        if (i < 5) {
            *longs[i] = static_cast<std::int32_t>(numbers[i]);
        } else {
            *bytes[i - 5] = static_cast<std::uint8_t>(numbers[i] & 0xFF);
        }
    }
    if (parsed == kNumberFields && pos < value.size() && value[pos] == ',') {
        font.FaceName = cutAtCharacter(value.substr(value.rfind(',') + 1), kMaxFaceName);
    }
    return font;
}

std::string PageFont::format() const
{
    std::string text;
    for (const std::int32_t number : {Height, Width, Escapement, Orientation, Weight}) {
        text += std::to_string(number);
        text += ',';
    }
    for (const std::uint8_t number : {Italic, Underline, StrikeOut, CharSet, OutPrecision,
                                      ClipPrecision, Quality, PitchAndFamily}) {
        text += std::to_string(number);
        text += ',';
    }
    text += FaceName;
    return text;
}

} // namespace daylark
