#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace daylark::test {

inline std::string bytes(std::initializer_list<int> values)
{
    std::string result;
    for (int value : values) {
        result += static_cast<char>(value);
    }
    return result;
}

/// A DWORD, LONG or Time as the record stream writes it.
inline std::string dword(std::int64_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    return bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
}

/// A string shorter than 255 bytes, with its one-byte length.
inline std::string text(const std::string& value)
{
    return static_cast<char>(value.size()) + value;
}

} // namespace daylark::test
