#include "format/Utf16.h"

#include <cstddef>
#include <cstdint>

namespace daylark {

namespace {

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string utf16LeToUtf8(const std::vector<unsigned char>& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&bytes](std::size_t i) {
        return static_cast<std::uint32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
            const std::uint32_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
    return out;
}

} // namespace daylark
