#pragma once

#include "bench/DataSet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace daylark::bench {

/// What the command line of make-diary asks for.
struct MakeDiaryOptions
{
    bool help = false;
    std::string outDir;                    ///< the data directory to write; new or empty
    std::optional<std::string> deriveFrom; ///< derive the other machine's copy of this set
    std::optional<std::string> exportDir;  ///< also write the page texts as plain files here
    /// also write each year's page texts as one plain file here
    std::optional<std::string> exportYearsDir;
    GenerateOptions generate;
    DeriveOptions derive;
};

/// Reads make-diary's arguments (without the program's name); `now` is the default of
/// --now. Gives the options, or the reason they cannot be used.
std::variant<MakeDiaryOptions, std::string> parseMakeDiaryArgs(const std::vector<std::string>& args,
                                                               std::int64_t now);

std::string makeDiaryUsage();

} // namespace daylark::bench
