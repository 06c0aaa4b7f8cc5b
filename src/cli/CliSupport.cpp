#include "cli/CliSupport.h"

#include "app/DaylarkApp.h"
#include "cli/CliMain.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"

#include <cerrno>
#include <cstring>
#include <iterator>
#include <ostream>

namespace daylark {

MessageAnswer FailureWatch::ask(const std::string& text, const std::string& caption,
                                MessageIcon icon, MessageButtons buttons)
{
    if (icon == MessageIcon::Exclamation) {
        m_failed = true;
    }
    return m_inner.ask(text, caption, icon, buttons);
}

void FailureWatch::notify(const std::string& text, const std::string& caption)
{
    m_inner.notify(text, caption);
}

int withApp(CliContext& context, const std::function<int(DaylarkApp&)>& work)
{
    const Locations locations = context.locations();
    const auto lock = lockDataDirectory(context, locations);
    if (!lock) {
        return kExitFailed;
    }
    FailureWatch messages(context.messages);
    DaylarkApp app(locations, messages, context.env.clock);
    if (app.start() == CDaylarkDoc::LoadResult::Damaged) {
        return kExitFailed;
    }
    app.doc().setDueAlarms(CDaylarkDoc::DueAlarms::Ignore);
    app.frame().InitialShow(WindowPlacement::kShowNormal);
    const int status = work(app);
    return messages.failed() ? kExitFailed : status;
}

int withDocument(CliContext& context, const std::function<int(CDaylarkDoc&)>& work)
{
    return withApp(context, [&work](DaylarkApp& app) { return work(app.doc()); });
}

std::optional<DataDirLock> lockDataDirectory(CliContext& context, const Locations& locations)
{
    if (const int error = locations.ensureDataDir(); error != 0) {
        context.env.err << "daylark-cli: cannot create the data directory " << locations.dataDir()
                        << ": " << std::strerror(error) << '\n';
        return std::nullopt;
    }
    int error = 0;
    auto lock = DataDirLock::acquire(locations.dataDir(), context.env.lockWait, &error);
    if (!lock) {
        if (error == EWOULDBLOCK) {
            context.env.err << "Daylark is running on " << locations.dataDir()
                            << "; close it first.\n";
        } else {
            context.env.err << "daylark-cli: cannot lock " << locations.dataDir() << ": "
                            << std::strerror(error) << '\n';
        }
    }
    return lock;
}

std::string textArgument(CliContext& context, std::size_t first)
{
    const auto& args = context.args;
    if (args.size() == first + 1 && args[first] == "-") {
        const std::string input{std::istreambuf_iterator<char>(context.env.in),
                                std::istreambuf_iterator<char>()};
        std::string text;
        text.reserve(input.size() + input.size() / 16);
        for (std::size_t i = 0; i < input.size(); ++i) {
            if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n') {
                continue; // CR LF from standard input stays one break
            }
            if (input[i] == '\n') {
                text += "\r\n";
            } else {
                text += input[i];
            }
        }
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
            text.resize(text.size() - 2);
        }
        return text;
    }
    std::string text;
    for (std::size_t i = first; i < args.size(); ++i) {
        if (i > first) {
            text += ' ';
        }
        text += args[i];
    }
    return text;
}

std::optional<std::int64_t> dateArgument(CliContext& context, const std::string& text)
{
    const auto date = parseLocalDate(text);
    if (!date) {
        context.env.err << "daylark-cli: " << text
                        << " is not a date; write it as YYYY-MM-DD, for example 1997-03-03\n";
        return std::nullopt;
    }
    if (!fitsStoredTime(*date)) {
        context.env.err << "daylark-cli: " << text
                        << " cannot be stored: Daylark's files hold dates from 1901-12-14 to "
                           "2038-01-18\n";
        return std::nullopt;
    }
    return date;
}

} // namespace daylark

daylark::ParsedArguments daylark::parseArguments(const std::vector<std::string>& args,
                                                 std::size_t first,
                                                 const std::set<std::string_view>& valueOptions,
                                                 const std::set<std::string_view>& flagOptions)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            parsed.words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (parsed.values.contains(name) || parsed.flags.contains(name)) {
            parsed.problem = name + " is given twice";
            return parsed;
        }
        if (valueOptions.contains(name)) {
            if (equals != std::string::npos) {
                parsed.values[name] = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                parsed.values[name] = args[++i];
            } else {
                parsed.problem = name + " needs a value";
                return parsed;
            }
        } else if (flagOptions.contains(arg)) {
            parsed.flags.insert(arg);
        } else {
            parsed.problem = "unknown option " + arg;
            return parsed;
        }
    }
    return parsed;
}
