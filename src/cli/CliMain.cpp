#include "cli/CliMain.h"

#include "cli/Commands.h"
#include "cli/StderrSink.h"
#include "platform/Clock.h"

#include <array>
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <string_view>

namespace daylark {

namespace {

struct Command
{
    std::string_view name;
    std::string_view synopsis;
    std::string_view summary;
    int (*run)(CliContext&);
};

constexpr std::array kCommands = {
    Command{"today", "today", "print today's page (filing yesterday's first when the day changed)",
            &runToday},
    Command{"add", "add TEXT...|-", "append a line to today's page", &runAdd},
    Command{"page", "page YYYY-MM-DD", "print the filed page of a day", &runPage},
    Command{"pages", "pages [YYYY]", "list the pages filed in a year's archive", &runPages},
    Command{"alarms", "alarms [YYYY-MM-DD]", "list the alarms that fall on a day", &runAlarms},
    Command{"alarm",
            "alarm add NAME --at 'YYYY-MM-DD HH:MM' [--every FREQUENCY] [--no-box] [--hidden]\n"
            "  alarm rm NAME --on YYYY-MM-DD",
            "add or delete an alarm", &runAlarm},
    Command{"note", "note YYYY-MM-DD [TEXT|-]", "print or set the future note of a day", &runNote},
    Command{"list", "list [NAME [TEXT|-]]", "print the list names, one list, or set a list",
            &runList},
    Command{"search", "search TERM [--and TERM2 | --or TERM2] [--months N] [--max N]",
            "search the filed pages, the lists and the alarms", &runSearch},
    Command{"backup", "backup PATH [--other PATH]",
            "back this data set (and the other one) up next to PATH", &runBackup},
    Command{"sync", "sync PATH [--lists] [--alarms] [--new]",
            "synchronise with the data set at PATH (--new: it may hold no files yet)", &runSync},
    Command{"dump", "dump FILE [--as day|archive|fut|tdl|alm]",
            "decode a data file into a readable listing", &runDump},
    Command{"calendar", "calendar [YYYY-MM]",
            "print the month grid of the calendar: each day's class, holiday and alarms",
            &runCalendar},
    Command{"check", "check [--repair]",
            "check every data file; --repair moves damaged bytes aside, deleting none", &runCheck},
    Command{"export", "export ics FILE|-\n  export markdown DIR",
            "write the alarms as an iCalendar file, or the pages, lists and notes as Markdown",
            &runExport},
};

const Command* findCommand(std::string_view name)
{
    for (const Command& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

/// Takes the value of a global option given as "--name VALUE" or "--name=VALUE".
bool takeOptionValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                     std::optional<std::string>& value, std::string& problem)
{
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            problem = std::string(name) + " needs a value";
            return true;
        }
        value = args[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

std::string cliUsage()
{
    std::string text = "Usage: daylark-cli [--data-dir DIR] [--profile FILE] [--day-file FILE] "
                       "COMMAND [ARGS]\n\nCommands:\n";
    for (const Command& command : kCommands) {
        text += "  ";
        text += command.synopsis;
        text += "\n      ";
        text += command.summary;
        text += '\n';
    }
    text += "\nOptions:\n"
            "  --data-dir DIR   the data directory (default $DAYLARK_DATA_DIR, else\n"
            "                   $XDG_DATA_HOME/daylark)\n"
            "  --profile FILE   the settings file (default $XDG_CONFIG_HOME/daylark/daylark.ini)\n"
            "  --day-file FILE  the current-day file (default daylark.day in the data directory)\n"
            "  --help           print this text\n"
            "  --version        print the version\n"
            "\nExit status: 0 success, 1 the operation failed, 2 bad usage.\n";
    return text;
}

Locations CliContext::locations() const
{
    return Locations::resolve(options, env.getenv);
}

int CliContext::usageError(const std::string& problem) const
{
    env.err << "daylark-cli: " << problem << "\n\n" << cliUsage();
    return kExitUsage;
}

int runCli(const std::vector<std::string>& args, CliEnvironment& env)
{
    StderrSink sink(env.err);
    CliContext context{env, sink, {}, {}};
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            env.out << cliUsage();
            return kExitOk;
        }
        if (arg == "--version") {
            env.out << "daylark-cli " << DAYLARK_VERSION << '\n';
            return kExitOk;
        }
        std::string problem;
        if (takeOptionValue(args, i, "--data-dir", context.options.dataDir, problem) ||
            takeOptionValue(args, i, "--profile", context.options.profile, problem) ||
            takeOptionValue(args, i, "--day-file", context.options.dayFile, problem)) {
            if (!problem.empty()) {
                return context.usageError(problem);
            }
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            return context.usageError("unknown option " + arg);
        }
        break;
    }
    if (i >= args.size()) {
        return context.usageError("no command given");
    }
    const Command* command = findCommand(args[i]);
    if (command == nullptr) {
        return context.usageError("unknown command " + args[i]);
    }
    context.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    return command->run(context);
}

} // namespace daylark

int daylark::runCliProcess(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    SystemClock clock;
    CliEnvironment env{std::cin, std::cout, std::cerr,
                       [](const char* name) { return std::getenv(name); }, clock};
    const int status = runCli(args, env);
    std::cout.flush();
    return status;
}
