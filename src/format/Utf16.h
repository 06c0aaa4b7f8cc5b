#pragma once

#include <string>
#include <vector>

namespace daylark {

/// The wide form of a stored string (UTF-16LE code units, two bytes each) as UTF-8. A surrogate
/// without its partner becomes U+FFFD; an odd last byte is dropped.
std::string utf16LeToUtf8(const std::vector<unsigned char>& bytes);

} // namespace daylark
