#pragma once

#include "platform/Locations.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace daylark {

class Clock;
class MessageSink;

/// What a run of the CLI talks to; tests pass string streams, a fixed clock and their own
/// environment.
struct CliEnvironment
{
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    std::function<const char*(const char*)> getenv;
    const Clock& clock;
};

/// The exit statuses of daylark-cli.
enum ExitStatus : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

/// One command's view of the run: the global options, its own arguments, and the services.
struct CliContext
{
    CliEnvironment& env;
    MessageSink& messages;
    LocationOptions options;
    std::vector<std::string> args; ///< the command's arguments, after its name

    Locations locations() const;
    /// Prints `problem` and the usage to standard error; returns kExitUsage.
    int usageError(const std::string& problem) const;
};

/// Runs daylark-cli with `args` (without the program name); returns the exit status.
int runCli(const std::vector<std::string>& args, CliEnvironment& env);

/// The usage text.
std::string cliUsage();

} // namespace daylark
