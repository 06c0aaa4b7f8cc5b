#pragma once

#include <cstddef>
#include <cstdint>

namespace daylark::test {

/// Reads arbitrary bytes as the settings the program keeps in text: as a profile file (its
/// values read, one written), as a window placement and as the desktop program's command line
/// (the arguments split at NUL bytes). Aborts when a rule breaks: a value written does not read
/// back, a write changes another value, or a placement does not read back as it was formatted.
void fuzzSettings(const std::uint8_t* data, std::size_t size);

} // namespace daylark::test
