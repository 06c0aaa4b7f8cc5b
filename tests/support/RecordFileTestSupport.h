#pragma once

#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

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

/// The new-class tag with its schema and name, as the first record of a class is preceded.
inline std::string classDescription(const std::string& name, int schema = 1)
{
    return bytes({0xFF, 0xFF, schema, 0, static_cast<int>(name.size()), 0}) + name;
}

/// `field` of every record in the file at `path`, as a store of its own reads them (quietly).
template <class Store, class Field>
std::vector<std::string> fieldOnFile(const std::string& path, const Field& field)
{
    RecordingSink quiet;
    Store store(path, quiet);
    store.Load();
    std::vector<std::string> values;
    for (const auto& record : store.records()) {
        values.push_back(std::invoke(field, *record));
    }
    EXPECT_TRUE(quiet.messages.empty());
    return values;
}

/// A record store over a file in its own temporary directory, reporting to a recording sink.
template <class Store> struct StoreOnDisk : ::testing::Test
{
    TempDir dir;
    std::string path = dir.file("records");
    RecordingSink sink;
    Store store{path, sink};
};

} // namespace daylark::test
