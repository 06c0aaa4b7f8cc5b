#pragma once

#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <map>
#include <string>
#include <vector>

namespace daylark::test {

/// One run of daylark-cli with captured output, a fixed clock and a private environment
/// (HOME and the XDG folders point into the test's own directory).
struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

class CliHarness
{
public:
    CliHarness();
    CliRun run(const std::vector<std::string>& args, const std::string& input = {});

    TempDir dir;
    FixedClock clock{857397900}; // Monday 3 March 1997, 14:05 UTC
    std::map<std::string, std::string> environment;
};

} // namespace daylark::test
