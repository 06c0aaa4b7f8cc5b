#pragma once

#include "platform/DataDirLock.h"
#include "platform/MessageSink.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

class CDaylarkDoc;
class DaylarkApp;
class Locations;
struct CliContext;

/// Passes every message on and remembers whether a failure was among them, so a command can
/// tell "nothing there" from "could not read it".
class FailureWatch : public MessageSink
{
public:
    explicit FailureWatch(MessageSink& inner)
        : m_inner(inner)
    {}
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override;
    void notify(const std::string& text, const std::string& caption) override;
    bool failed() const { return m_failed; }

private:
    MessageSink& m_inner;
    bool m_failed = false;
};

/// Start-up as the desktop program does it, under the data directory's lock, and its day check
/// (the change of day when it is due, else today's alarms with their summary; due alarms are
/// never announced), then `work` on the application. A current-day file that fails to read ends
/// the command with status 1 before anything is written (the start-up has copied it aside and
/// said so); any other failure shown on the way makes the status 1 after the work.
int withApp(CliContext& context, const std::function<int(DaylarkApp&)>& work);
/// withApp for a command that needs only the document.
int withDocument(CliContext& context, const std::function<int(CDaylarkDoc&)>& work);

/// A command's arguments split into words and options ("--name VALUE", "--name=VALUE" or a
/// bare flag); "--" ends the options. `problem` says what does not fit (an unknown option, a
/// missing value, an option given twice).
struct ParsedArguments
{
    std::vector<std::string> words;
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;
    std::string problem;
};

/// Splits `args` from index `first` on; `valueOptions` take a value, `flagOptions` none.
ParsedArguments parseArguments(const std::vector<std::string>& args, std::size_t first,
                               const std::set<std::string_view>& valueOptions,
                               const std::set<std::string_view>& flagOptions);

/// Takes the data directory's lock for a writing command (creating the directory first),
/// waiting up to the run's lock wait (kLockWait unless a test says otherwise). When another
/// program holds it, prints "Daylark is running on DIR; close it first." and returns nothing;
/// the command then exits 1.
std::optional<DataDirLock> lockDataDirectory(CliContext& context, const Locations& locations);

/// The text a command sets: its words joined by blanks, or standard input when the only word
/// is "-". Line breaks from standard input become CR LF and a final line break is dropped.
std::string textArgument(CliContext& context, std::size_t first);

/// A YYYY-MM-DD argument as local midnight of that day; prints a clear message and returns
/// nothing when it is malformed, not a real date, or cannot be stored.
std::optional<std::int64_t> dateArgument(CliContext& context, const std::string& text);

} // namespace daylark
