#include "cli/CliMain.h"
#include "platform/Clock.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    daylark::SystemClock clock;
    daylark::CliEnvironment env{std::cin, std::cout, std::cerr,
                                [](const char* name) { return std::getenv(name); }, clock};
    const int status = daylark::runCli(args, env);
    std::cout.flush();
    return status;
}
