#pragma once

#include <cstddef>
#include <cstdint>

namespace daylark::test {

/// Reads arbitrary bytes as each kind of data file. Any outcome but a crash, a hang, a leak or
/// a sanitizer report is fine.
void fuzzReadObject(const std::uint8_t* data, std::size_t size);

} // namespace daylark::test
