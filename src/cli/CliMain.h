#pragma once

#include "platform/Locations.h"

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace daylark {

class Clock;
class MessageSink;

/// How long a writing command waits for the data directory's lock before it gives up.
constexpr std::chrono::milliseconds kLockWait = std::chrono::seconds(3);

/// What a run of the CLI talks to; tests pass string streams, a fixed clock, their own
/// environment and, to see a refusal at once, no wait for the lock.
struct CliEnvironment
{
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    std::function<const char*(const char*)> getenv;
    const Clock& clock;
    std::chrono::milliseconds lockWait = kLockWait;
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

/// The whole program: runCli over the process's arguments, standard streams, environment and
/// the system clock; the exit status. The installed program and the tests' own builds of it
/// share it.
int runCliProcess(int argc, char** argv);

/// The usage text.
std::string cliUsage();

} // namespace daylark
