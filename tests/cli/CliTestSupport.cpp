#include "cli/CliTestSupport.h"

#include "cli/CliMain.h"

#include <sstream>

namespace daylark::test {

CliHarness::CliHarness()
{
    environment["HOME"] = dir.path();
    environment["DAYLARK_DATA_DIR"] = dir.file("data");
    environment["XDG_CONFIG_HOME"] = dir.file("config");
}

CliRun CliHarness::run(const std::vector<std::string>& args, const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliEnvironment env{in, out, err,
                       [this](const char* name) -> const char* {
                           const auto found = environment.find(name);
                           return found == environment.end() ? nullptr : found->second.c_str();
                       },
                       clock};
    CliRun result;
    result.status = runCli(args, env);
    result.out = out.str();
    result.err = err.str();
    return result;
}

} // namespace daylark::test
