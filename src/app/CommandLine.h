#pragma once

#include "platform/Locations.h"

#include <string>
#include <vector>

namespace daylark {

/// What the desktop program's command line asks for:
/// `daylark [--data-dir DIR] [--profile FILE] [--day-file FILE | DAYFILE] [-Embedding]`,
/// `--help`, `--version`. The options of Qt itself have been taken out before.
struct CommandLine
{
    enum class Action { Run, Help, Version, BadUsage };

    Action action = Action::Run;
    LocationOptions locations;
    /// "-Embedding" or "/Embedding": start without showing the window.
    bool embedding = false;
    /// What is wrong, for BadUsage.
    std::string error;

    /// `arguments` without the program's name. Options take their value as the next argument
    /// or after "="; "--" ends the options.
    static CommandLine parse(const std::vector<std::string>& arguments);
    /// The usage text that --help prints.
    static std::string usage();
};

} // namespace daylark
