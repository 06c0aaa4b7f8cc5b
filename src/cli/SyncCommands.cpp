#include "app/DaylarkApp.h"
#include "cli/CliMain.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"
#include "sync/CBackupSyncDlg.h"
#include "sync/FileSet.h"
#include "sync/SyncSide.h"

#include <filesystem>
#include <ostream>

namespace daylark {

namespace {

/// A PATH as the dialog's file chooser gives it: absolute, a file path whose directory is used.
/// An existing directory stands for itself, so it gets a '/' at its end.
std::string chooserPath(const std::string& argument)
{
    std::error_code error;
    std::string path = std::filesystem::absolute(argument, error).string();
    if (error) {
        path = argument;
    }
    if (fileStatus(path).isDirectory && path.back() != '/') {
        path += '/';
    }
    return path;
}

SyncSide sideOf(DaylarkApp& app)
{
    return {app.doc(), app.frame().alarmFile(), app.frame().listsFile(), &app.view(), {}};
}

/// The options of backup and sync: one PATH, flags, and --other with its value.
struct SyncArguments
{
    std::optional<std::string> path;
    std::optional<std::string> other;
    bool lists = false;
    bool alarms = false;
    bool isNew = false;
};

/// Reads the arguments; a problem (to show with the usage) when they do not fit `command`.
std::optional<std::string> parseArguments(const std::vector<std::string>& args,
                                          std::string_view command, SyncArguments& result)
{
    const bool backup = command == "backup";
    const ParsedArguments parsed =
        backup ? daylark::parseArguments(args, 0, {"--other"}, {})
               : daylark::parseArguments(args, 0, {}, {"--lists", "--alarms", "--new"});
    if (!parsed.problem.empty()) {
        return parsed.problem + " (" + std::string(command) + ")";
    }
    if (const auto other = parsed.values.find("--other"); other != parsed.values.end()) {
        result.other = other->second;
    }
    result.lists = parsed.flags.contains("--lists");
    result.alarms = parsed.flags.contains("--alarms");
    result.isNew = parsed.flags.contains("--new");
    if (parsed.words.size() > 1) {
        return std::string(command) + " takes one PATH";
    }
    if (parsed.words.empty() || parsed.words[0].empty()) {
        return std::string(command) + " needs a PATH";
    }
    result.path = parsed.words[0];
    return std::nullopt;
}

/// A new data set gets this side's current-day file, so that both sides end with the merged page.
void startDayFile(CDaylarkDoc& doc, const std::string& otherDir)
{
    const std::string target = findDataFile(otherDir, FileSet::kDayFile);
    if (fileStatus(target).exists || !fileStatus(doc.dayFilePath()).exists) {
        return;
    }
    if (const int error = copyFile(doc.dayFilePath(), target); error != 0) {
        doc.messages().error("Error " + std::to_string(error) + " copying " + doc.dayFilePath() +
                             " to " + target);
    }
}

} // namespace

int runBackup(CliContext& context)
{
    SyncArguments arguments;
    if (const auto problem = parseArguments(context.args, "backup", arguments)) {
        return context.usageError(*problem);
    }
    const std::string backupPath = chooserPath(*arguments.path);
    const std::string otherPath = arguments.other ? chooserPath(*arguments.other) : "";
    return withApp(context, [&](DaylarkApp& app) {
        const SyncSide side = sideOf(app);
        return CBackupSyncDlg::RunBackup(side, backupPath, otherPath) == 1 ? kExitOk : kExitFailed;
    });
}

int runSync(CliContext& context)
{
    SyncArguments arguments;
    if (const auto problem = parseArguments(context.args, "sync", arguments)) {
        return context.usageError(*problem);
    }
    const std::string otherPath = chooserPath(*arguments.path);
    if (!fileStatus(otherPath).exists) {
        context.env.err << "daylark-cli: " << *arguments.path << " does not exist\n";
        return kExitFailed;
    }
    const std::string otherDir = directoryOf(otherPath);
    if (!arguments.isNew && !FileSet::holdsAny(otherDir, FileSet::currentYear(context.env.clock))) {
        context.env.err << "daylark-cli: " << otherDir
                        << " holds no Daylark data files; give --new to start a data set there\n";
        return kExitFailed;
    }
    return withApp(context, [&](DaylarkApp& app) {
        const SyncSide side = sideOf(app);
        // The dialog's backup saved the page before; so does this command.
        app.doc().SaveModified();
        if (arguments.isNew) {
            startDayFile(app.doc(), otherDir);
        }
        return CBackupSyncDlg::RunSynchronize(side, otherPath, arguments.alarms, arguments.lists) ==
                       1
                   ? kExitOk
                   : kExitFailed;
    });
}

} // namespace daylark
