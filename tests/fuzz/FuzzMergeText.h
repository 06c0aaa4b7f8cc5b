#pragma once

#include <cstddef>
#include <cstdint>

namespace daylark::test {

/// Splits arbitrary bytes into two texts (the first two bytes give the first text's length)
/// and merges them line by line. Besides running clean, the merge must keep every line of
/// either text: each is in the result or matched there by the line-matching rule. A lost line
/// aborts, so the fuzzer reports it.
void fuzzMergeText(const std::uint8_t* data, std::size_t size);

} // namespace daylark::test
