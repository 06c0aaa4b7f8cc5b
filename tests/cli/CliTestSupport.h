#pragma once

#include "cli/CliMain.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <chrono>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace daylark::test {

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs daylark-cli with captured output, a fixed clock and a private environment (HOME and
/// the XDG folders point into the test's own directory).
class CliHarness
{
public:
    CliRun run(const std::vector<std::string>& args, const std::string& input = {})
    {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        const auto getenv = [this](const char* name) -> const char* {
            const auto found = environment.find(name);
            return found == environment.end() ? nullptr : found->second.c_str();
        };
        CliEnvironment env{in, out, err, getenv, clock, lockWait};
        const int status = runCli(args, env);
        return {status, out.str(), err.str()};
    }

    TempDir dir;
    FixedClock clock{857397900}; // Monday 3 March 1997, 14:05 UTC
    std::chrono::milliseconds lockWait = kLockWait;
    std::map<std::string, std::string> environment{{"HOME", dir.path()},
                                                   {"DAYLARK_DATA_DIR", dir.file("data")},
                                                   {"XDG_CONFIG_HOME", dir.file("config")}};
};

} // namespace daylark::test
