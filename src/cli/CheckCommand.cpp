#include "cli/CliMain.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/FileSystem.h"
#include "platform/Locations.h"
#include "tools/DataCheck.h"

#include <algorithm>
#include <ostream>

namespace daylark {

int runCheck(CliContext& context)
{
    const ParsedArguments parsed = parseArguments(context.args, 0, {}, {"--repair"});
    if (!parsed.problem.empty()) {
        return context.usageError(parsed.problem);
    }
    if (!parsed.words.empty()) {
        return context.usageError("check takes no arguments besides --repair");
    }
    const Locations locations = context.locations();
    if (!fileStatus(locations.dataDir()).isDirectory) {
        context.env.err << "daylark-cli: there is no data directory " << locations.dataDir()
                        << '\n';
        return kExitFailed;
    }
    const DataCheck checker(locations.dataDir(), locations.dayFile());
    if (!parsed.flags.contains("--repair")) {
        const DataCheckReport report = checker.check();
        for (const FileCheck& file : report.files) {
            context.env.out << DataCheck::line(file) << '\n';
        }
        return report.damaged() ? kExitFailed : kExitOk;
    }
    const auto lock = lockDataDirectory(context, locations);
    if (!lock) {
        return kExitFailed;
    }
    DataCheckReport report = checker.check();
    checker.repair(report);
    for (const FileCheck& file : report.files) {
        context.env.out << DataCheck::line(file) << '\n';
    }
    // Whole only when a fresh look finds nothing: a repair is judged by what it left. A step
    // that failed still fails the command, though what it left reads whole: a failed fsync may
    // not have put it on the disk.
    const DataCheckReport after = checker.check();
    for (const FileCheck& file : after.files) {
        if (file.damaged()) {
            context.env.err << "daylark-cli: still damaged: " << DataCheck::line(file) << '\n';
        }
    }
    const bool stepFailed =
        std::any_of(report.files.begin(), report.files.end(),
                    [](const FileCheck& file) { return !file.repairFailure.empty(); });
    return after.damaged() || stepFailed ? kExitFailed : kExitOk;
}

} // namespace daylark
