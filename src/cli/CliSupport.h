#pragma once

#include "platform/DataDirLock.h"

#include <cstdint>
#include <optional>
#include <string>

namespace daylark {

struct CliContext;
class Locations;

/// Takes the data directory's lock for a writing command (creating the directory first),
/// waiting up to 3 seconds. When another program holds it, prints "Daylark is running on DIR;
/// close it first." and returns nothing; the command then exits 1.
std::optional<DataDirLock> lockDataDirectory(CliContext& context, const Locations& locations);

/// The text a command sets: its words joined by blanks, or standard input when the only word
/// is "-". Line breaks from standard input become CR LF and a final line break is dropped.
std::string textArgument(CliContext& context, std::size_t first);

/// A YYYY-MM-DD argument as local midnight of that day; prints a clear message and returns
/// nothing when it is malformed, not a real date, or cannot be stored.
std::optional<std::int64_t> dateArgument(CliContext& context, const std::string& text);

} // namespace daylark
