#include "cli/CliMain.h"
#include "cli/Commands.h"

#include <ostream>

namespace daylark {

// Placeholders until the commands are written.
int runToday(CliContext& context)
{
    context.env.err << "daylark-cli: not built yet\n";
    return kExitFailed;
}

int runAdd(CliContext& context)
{
    context.env.err << "daylark-cli: not built yet\n";
    return kExitFailed;
}

int runPage(CliContext& context)
{
    context.env.err << "daylark-cli: not built yet\n";
    return kExitFailed;
}

int runPages(CliContext& context)
{
    context.env.err << "daylark-cli: not built yet\n";
    return kExitFailed;
}

} // namespace daylark
