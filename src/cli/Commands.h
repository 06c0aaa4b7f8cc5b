#pragma once

namespace daylark {

struct CliContext;

/// dump FILE [--as day|archive|fut|tdl|alm]
int runDump(CliContext& context);

// The diary: cli/DiaryCommands.cpp.
int runToday(CliContext& context);
int runAdd(CliContext& context);
int runPage(CliContext& context);
int runPages(CliContext& context);

// Alarms, future notes and lists: cli/RecordCommands.cpp.
int runAlarms(CliContext& context);
int runAlarm(CliContext& context);
int runNote(CliContext& context);
int runList(CliContext& context);

// Backup and synchronisation: cli/SyncCommands.cpp.
int runBackup(CliContext& context);
int runSync(CliContext& context);

/// search TERM [--and TERM2 | --or TERM2] [--months N] [--max N]: cli/SearchCommand.cpp.
int runSearch(CliContext& context);

/// calendar [YYYY-MM]: cli/CalendarCommand.cpp.
int runCalendar(CliContext& context);

/// check [--repair]: cli/CheckCommand.cpp.
int runCheck(CliContext& context);

/// export ics FILE | export markdown DIR: cli/ExportCommand.cpp.
int runExport(CliContext& context);

} // namespace daylark
