#pragma once

#include <optional>
#include <string>

namespace daylark {

/// Whether the files at `a` and `b` hold the same bytes. A file that cannot be read compares
/// unequal, so a caller that skips work for equal files never skips it on a guess.
bool sameContents(const std::string& a, const std::string& b);

/// An existing file named `prefix` followed by digits ("<name>.damaged.000") that holds the
/// same bytes as `path`; none when there is no such file. Lets a copy kept aside be named
/// again instead of being made a second time.
std::optional<std::string> findCopyWithSameContents(const std::string& path,
                                                    const std::string& prefix);

} // namespace daylark
