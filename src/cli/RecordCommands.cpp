#include "cli/CliMain.h"
#include "cli/Commands.h"

#include <ostream>

namespace daylark {

// Placeholders until the commands are written.
int runAlarms(CliContext& context)
{
    context.env.err << "daylark-cli: not built yet\n";
    return kExitFailed;
}

int runAlarm(CliContext& context)
{
    context.env.err << "daylark-cli: not built yet\n";
    return kExitFailed;
}

int runNote(CliContext& context)
{
    context.env.err << "daylark-cli: not built yet\n";
    return kExitFailed;
}

int runList(CliContext& context)
{
    context.env.err << "daylark-cli: not built yet\n";
    return kExitFailed;
}

} // namespace daylark
