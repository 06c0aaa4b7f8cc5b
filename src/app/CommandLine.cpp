#include "app/CommandLine.h"

#include <optional>
#include <string_view>

namespace daylark {

namespace {

bool isEmbedding(std::string_view argument)
{
    if (argument.size() != 10 || (argument[0] != '-' && argument[0] != '/')) {
        return false;
    }
    constexpr std::string_view kWord = "embedding";
    for (std::size_t i = 0; i < kWord.size(); ++i) {
        const char c = argument[i + 1];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != kWord[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

CommandLine CommandLine::parse(const std::vector<std::string>& arguments)
{
    CommandLine line;
    const auto fail = [&line](std::string error) {
        line.action = Action::BadUsage;
        line.error = std::move(error);
        return line;
    };
    std::optional<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            if (isEmbedding(argument) && !optionsEnded) {
                line.embedding = true;
                continue;
            }
            if (positional) {
                return fail("only one current-day file can be given");
            }
            positional = argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            line.action = Action::Help;
            return line;
        }
        if (argument == "--version") {
            line.action = Action::Version;
            return line;
        }
        if (isEmbedding(argument)) {
            line.embedding = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        std::optional<std::string>* target = name == "--data-dir"   ? &line.locations.dataDir
                                             : name == "--profile"  ? &line.locations.profile
                                             : name == "--day-file" ? &line.locations.dayFile
                                                                    : nullptr;
        if (target == nullptr) {
            return fail("unknown option " + argument);
        }
        if (equals != std::string::npos) {
            *target = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            *target = arguments[++i];
        } else {
            return fail(name + " needs a value");
        }
    }
    if (positional) {
        if (line.locations.dayFile) {
            return fail("give the current-day file either with --day-file or alone, not both");
        }
        line.locations.dayFile = positional;
    }
    return line;
}

std::string CommandLine::usage()
{
    return "Usage: daylark [--data-dir DIR] [--profile FILE] [--day-file FILE | DAYFILE]\n"
           "\n"
           "Daylark, a day planner: one diary page a day, open tasks carried over.\n"
           "\n"
           "  --data-dir DIR   the data directory (default: $DAYLARK_DATA_DIR, else\n"
           "                   $XDG_DATA_HOME/daylark, i.e. ~/.local/share/daylark)\n"
           "  --profile FILE   the settings file (default: $XDG_CONFIG_HOME/daylark/daylark.ini)\n"
           "  --day-file FILE  the current-day page (default: daylark.day in the data directory)\n"
           "  -Embedding       start without showing the window\n"
           "  --help           show this text\n"
           "  --version        show the version\n"
           "\n"
           "One Daylark runs per data directory: starting another one brings its window to the\n"
           "front. daylark-cli works on the same data without a window.\n";
}

} // namespace daylark
