#include "alarms/AlarmSchedule.h"
#include "alarms/CAlarmFile.h"
#include "cli/CliMain.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/TimeText.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"

#include <array>
#include <cerrno>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

namespace {

struct FrequencyWord
{
    std::string_view word;
    Frequency frequency;
};

constexpr std::array kFrequencyWords = {
    FrequencyWord{"once", Frequency::Once},         FrequencyWord{"daily", Frequency::Daily},
    FrequencyWord{"weekly", Frequency::Weekly},     FrequencyWord{"biweekly", Frequency::Biweekly},
    FrequencyWord{"monthly", Frequency::Monthly},   FrequencyWord{"yearly", Frequency::Yearly},
    FrequencyWord{"birthday", Frequency::Birthday},
};

std::string frequencyWord(std::int16_t frequency)
{
    for (const FrequencyWord& entry : kFrequencyWords) {
        if (static_cast<std::int16_t>(entry.frequency) == frequency) {
            return std::string(entry.word);
        }
    }
    return std::to_string(frequency); // a value this program does not set
}

std::optional<Frequency> frequencyOf(std::string_view word)
{
    for (const FrequencyWord& entry : kFrequencyWords) {
        if (entry.word == word) {
            return entry.frequency;
        }
    }
    return std::nullopt;
}

/// A "YYYY-MM-DD HH:MM" argument as that local time; a clear message and nothing when it is
/// malformed or cannot be stored.
std::optional<std::int64_t> dateTimeArgument(CliContext& context, const std::string& text)
{
    const auto time = parseLocalDateTime(text);
    if (!time) {
        context.env.err << "daylark-cli: " << text
                        << " is not a date and time; write it as 'YYYY-MM-DD HH:MM', for "
                           "example '1997-03-03 09:30'\n";
        return std::nullopt;
    }
    if (!fitsStoredTime(*time)) {
        context.env.err << "daylark-cli: " << text
                        << " cannot be stored: Daylark's files hold times from 1901-12-14 to "
                           "2038-01-18\n";
        return std::nullopt;
    }
    return time;
}

/// Edits a store under the data directory's lock: loads it, lets `edit` work on it (it returns
/// the exit status and sets the changed flag when it changed something), saves when changed,
/// and lets it go. Nothing is written over a file that did not read whole.
template <class Store, class Edit>
int editStore(CliContext& context, std::string (Locations::*path)() const, Edit edit)
{
    const Locations locations = context.locations();
    const auto lock = lockDataDirectory(context, locations);
    if (!lock) {
        return kExitFailed;
    }
    Store store((locations.*path)(), context.messages);
    int status = kExitFailed;
    if (store.Load() == 0) {
        store.setChanged(false);
        status = edit(store);
        if (status == kExitOk && store.changed() && store.Save() != 0) {
            status = kExitFailed;
        }
    }
    store.Empty();
    return status;
}

int addAlarm(CliContext& context)
{
    const ParsedArguments parsed =
        parseArguments(context.args, 1, {"--at", "--every"}, {"--no-box", "--hidden"});
    if (!parsed.problem.empty()) {
        return context.usageError(parsed.problem);
    }
    if (parsed.words.size() != 1 || parsed.words[0].empty()) {
        return context.usageError("alarm add takes one non-empty NAME");
    }
    const auto at = parsed.values.find("--at");
    if (at == parsed.values.end()) {
        return context.usageError("alarm add needs --at 'YYYY-MM-DD HH:MM'");
    }
    Frequency frequency = Frequency::Once;
    if (const auto every = parsed.values.find("--every"); every != parsed.values.end()) {
        const auto known = frequencyOf(every->second);
        if (!known) {
            return context.usageError(
                "--every takes once, daily, weekly, biweekly, monthly, yearly or birthday");
        }
        frequency = *known;
    }
    const auto time = dateTimeArgument(context, at->second);
    if (!time) {
        return kExitUsage;
    }
    // A once alarm in the past would be announced never and removed by the next start.
    if (frequency == Frequency::Once && *time < context.env.clock.now()) {
        context.env.err << "daylark-cli: " << at->second
                        << " has passed; a once alarm is set for a time still to come\n";
        return kExitUsage;
    }

    auto alarm = std::make_unique<CDaylarkAlarm>();
    alarm->Name = parsed.words[0];
    alarm->Time = *time;
    alarm->Frequency = static_cast<std::int16_t>(frequency);
    alarm->MessageBoxFlag = parsed.flags.contains("--no-box") ? 0 : 1;
    alarm->Announced = 0;
    alarm->VisibleOnCalendar = parsed.flags.contains("--hidden") ? 0 : 1;

    return editStore<CAlarmFile>(context, &Locations::alarmPath, [&alarm](CAlarmFile& alarms) {
        if (alarms.add(std::move(alarm)) == nullptr) {
            return kExitFailed;
        }
        alarms.setChanged(true);
        return kExitOk;
    });
}

int removeAlarm(CliContext& context)
{
    const ParsedArguments parsed = parseArguments(context.args, 1, {"--on"}, {});
    if (!parsed.problem.empty()) {
        return context.usageError(parsed.problem);
    }
    if (parsed.words.size() != 1) {
        return context.usageError("alarm rm takes one NAME");
    }
    const auto on = parsed.values.find("--on");
    if (on == parsed.values.end()) {
        return context.usageError("alarm rm needs --on YYYY-MM-DD");
    }
    const auto day = dateArgument(context, on->second);
    if (!day) {
        return kExitUsage;
    }

    return editStore<CAlarmFile>(context, &Locations::alarmPath, [&](CAlarmFile& alarms) {
        for (const auto& alarm : alarms.records()) {
            if (alarm->Name == parsed.words[0] && OccursOn(*alarm, *day)) {
                alarms.remove(alarm.get());
                alarms.setChanged(true);
                return kExitOk;
            }
        }
        context.env.err << "daylark-cli: no alarm named " << parsed.words[0] << " falls on "
                        << on->second << '\n';
        return kExitFailed;
    });
}

int printNote(CliContext& context, std::int64_t day, const std::string& dayText)
{
    CFutureFile notes(context.locations().futurePath(), context.messages);
    notes.setUse(FileUse::ReadOnly);
    const int result = notes.Load();
    const CDaylarkFuture* note = notes.FindNote(day);
    if (note != nullptr) {
        context.env.out << note->Text;
    }
    notes.Empty();
    if (note == nullptr && result == 0) {
        context.env.err << "daylark-cli: there is no note for " << dayText << '\n';
    }
    return result == 0 && note != nullptr ? kExitOk : kExitFailed;
}

int setNote(CliContext& context, std::int64_t day, std::string text)
{
    return editStore<CFutureFile>(context, &Locations::futurePath, [&](CFutureFile& notes) {
        CDaylarkFuture* note = notes.FindNote(day);
        if (note != nullptr && text.empty()) {
            notes.RemoveNote(note);
            notes.setChanged(true);
        } else if (note != nullptr && note->Text != text) {
            note->Text = std::move(text);
            notes.setChanged(true);
        } else if (note == nullptr && !text.empty()) {
            if (notes.AddNote(std::move(text), day) == nullptr) {
                return kExitFailed;
            }
            notes.setChanged(true);
        }
        return kExitOk;
    });
}

int printLists(CliContext& context)
{
    CTodoFile lists(context.locations().listsPath(), context.messages);
    lists.setUse(FileUse::ReadOnly);
    const int result = lists.Load();
    if (context.args.empty()) {
        for (const auto& list : lists.records()) {
            context.env.out << list->Name << '\n';
        }
        lists.Empty();
        return result == 0 ? kExitOk : kExitFailed;
    }
    const CDaylarkTodo* list = lists.FindList(context.args[0]);
    if (list != nullptr) {
        context.env.out << list->Contents;
    } else if (result == 0) {
        context.env.err << "daylark-cli: there is no list named " << context.args[0] << '\n';
    }
    lists.Empty();
    return result == 0 && list != nullptr ? kExitOk : kExitFailed;
}

int setList(CliContext& context)
{
    const std::string& name = context.args[0];
    if (name.empty()) {
        return context.usageError("a list needs a non-empty NAME");
    }
    std::string text = textArgument(context, 1);
    const std::int64_t now = context.env.clock.now();

    return editStore<CTodoFile>(context, &Locations::listsPath, [&](CTodoFile& lists) {
        CDaylarkTodo* list = lists.FindList(name);
        if (list == nullptr) {
            auto made = std::make_unique<CDaylarkTodo>();
            made->Version = CDaylarkTodo::kNewVersion;
            made->Name = name;
            made->Created = now;
            list = lists.add(std::move(made));
        }
        if (list == nullptr) {
            return kExitFailed;
        }
        list->Contents = std::move(text);
        list->LastChanged = now;
        lists.setChanged(true);
        return kExitOk;
    });
}

} // namespace

int runAlarms(CliContext& context)
{
    if (context.args.size() > 1) {
        return context.usageError("alarms takes at most one date");
    }
    std::int64_t day = context.env.clock.now();
    if (!context.args.empty()) {
        const auto parsed = dateArgument(context, context.args[0]);
        if (!parsed) {
            return kExitUsage;
        }
        day = *parsed;
    }
    const std::string path = context.locations().alarmPath();
    // Listing creates nothing: a missing alarm file has no alarms.
    if (const FileStatus status = fileStatus(path); !status.exists && status.error == ENOENT) {
        return kExitOk;
    }
    CAlarmFile alarms(path, context.messages);
    alarms.setUse(FileUse::ReadOnly);
    const int result = alarms.Load();
    for (const auto& alarm : alarms.records()) {
        if (OccursOn(*alarm, day)) {
            context.env.out << formatTime("%H:%M", alarm->Time, /*greenwich=*/false) << ' '
                            << frequencyWord(alarm->Frequency) << ' ' << alarm->Name << '\n';
        }
    }
    alarms.Empty();
    return result == 0 ? kExitOk : kExitFailed;
}

int runAlarm(CliContext& context)
{
    if (context.args.empty()) {
        return context.usageError("alarm needs add or rm");
    }
    if (context.args[0] == "add") {
        return addAlarm(context);
    }
    if (context.args[0] == "rm") {
        return removeAlarm(context);
    }
    return context.usageError("alarm takes add or rm, not " + context.args[0]);
}

int runNote(CliContext& context)
{
    if (context.args.empty()) {
        return context.usageError("note needs a date");
    }
    const auto day = dateArgument(context, context.args[0]);
    if (!day) {
        return kExitUsage;
    }
    if (context.args.size() == 1) {
        return printNote(context, *day, context.args[0]);
    }
    // Notes wait for their day: today's page has already taken in the notes due today.
    if (localDayNumber(*day) <= localDayNumber(context.env.clock.now())) {
        context.env.err << "daylark-cli: a note is set for a day after today, not for "
                        << context.args[0] << '\n';
        return kExitUsage;
    }
    return setNote(context, *day, textArgument(context, 1));
}

int runList(CliContext& context)
{
    if (context.args.size() <= 1) {
        return printLists(context);
    }
    return setList(context);
}

} // namespace daylark
