#pragma once

#include <cstddef>
#include <cstdint>

namespace daylark::test {

/// Puts arbitrary bytes into a data directory as one data file (the first byte chooses which:
/// the current-day file, a year archive, the future notes, the lists, the alarms or the
/// profile) and runs every command that reads it. Any outcome but a crash, a hang, a leak or a
/// sanitizer report is fine.
void fuzzDataFiles(const std::uint8_t* data, std::size_t size);

} // namespace daylark::test
