#include "alarms/CAlarmFile.h"
#include "calendar/CalendarMonth.h"
#include "cli/CliMain.h"
#include "cli/Commands.h"
#include "platform/CalendarColours.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace daylark {

namespace {

struct YearMonth
{
    int year;
    int month;
};

/// "YYYY-MM", four digits and two; nothing for any other shape or a month outside 1-12.
std::optional<YearMonth> parseYearMonth(std::string_view text)
{
    if (text.size() != 7 || text[4] != '-') {
        return std::nullopt;
    }
    int fields[2] = {0, 0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 4) {
            continue;
        }
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        int& field = fields[i < 4 ? 0 : 1];
        field = field * 10 + (text[i] - '0');
    }
    if (fields[1] < 1 || fields[1] > 12) {
        return std::nullopt;
    }
    return YearMonth{fields[0], fields[1]};
}

/// A name as one tab-separated field: the separators and the escape itself are written out.
std::string escapedField(std::string_view name)
{
    std::string field;
    for (const char c : name) {
        switch (c) {
        case '\t':
            field += "\\t";
            break;
        case '\r':
            field += "\\r";
            break;
        case '\n':
            field += "\\n";
            break;
        case '\\':
            field += "\\\\";
            break;
        default:
            field += c;
        }
    }
    return field;
}

const char* classWord(CellClass cellClass)
{
    switch (cellClass) {
    case CellClass::Today:
        return "today";
    case CellClass::Month:
        return "month";
    case CellClass::Other:
        break;
    }
    return "other";
}

void printCell(std::ostream& out, const CalendarCell& cell)
{
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", cell.date.year, cell.date.month,
                  cell.date.day);
    out << date << '\t' << classWord(cell.cellClass) << '\t'
        << (cell.holiday != nullptr ? cell.holiday : "");
    for (const std::string& name : cell.alarmNames) {
        out << '\t' << escapedField(name);
    }
    out << '\n';
}

} // namespace

int runCalendar(CliContext& context)
{
    if (context.args.size() > 1) {
        return context.usageError("calendar takes at most one month");
    }
    const TimeFields now = breakDown(context.env.clock.now(), /*greenwich=*/false);
    YearMonth shown{now.year, now.month};
    if (!context.args.empty()) {
        const auto parsed = parseYearMonth(context.args[0]);
        if (!parsed) {
            return context.usageError("not a month (YYYY-MM): " + context.args[0]);
        }
        shown = *parsed;
    }
    CalendarMonth month(monthgrid::gridStartFor(shown.year, shown.month));
    int result = 0;
    const std::string path = context.locations().alarmPath();
    // Reading only: a missing alarm file has no alarms and is not created.
    if (const FileStatus status = fileStatus(path); status.exists || status.error != ENOENT) {
        CAlarmFile alarms(path, context.messages);
        alarms.setUse(FileUse::ReadOnly);
        result = alarms.Load();
        month.rebuildAlarmEntries(alarms.records());
        alarms.Empty();
    }
    context.env.out << longMonthName(month.displayedMonth()) << ' ' << month.displayedYear()
                    << '\n';
    const CalendarDate today{now.year, now.month, now.day};
    for (int i = 0; i < monthgrid::kCells; ++i) {
        printCell(context.env.out, month.cell(i, today, CalendarColours{}));
    }
    return result == 0 ? kExitOk : kExitFailed;
}

} // namespace daylark
