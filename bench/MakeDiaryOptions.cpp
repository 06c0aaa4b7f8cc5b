#include "bench/MakeDiaryOptions.h"

#include "platform/LocalTime.h"

#include <charconv>
#include <string_view>

namespace daylark::bench {

namespace {

using Result = std::variant<MakeDiaryOptions, std::string>;

/// The most records a record file can count.
constexpr long kMaxRecords = 65535;
/// Notes reach two years past the current day; every time must fit the files' 32 bits.
constexpr int kNoteDays = 731;
constexpr int kEarliestYear = 1902;

template <class T> std::optional<T> number(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

/// "YYYY-MM-DD" (local midnight), "YYYY-MM-DD HH:MM" or with a T between, optionally ":SS".
std::optional<std::int64_t> parseNow(std::string text)
{
    if (text.size() == 10) {
        return parseLocalDate(text);
    }
    if (text.size() != 16 && text.size() != 19) {
        return std::nullopt;
    }
    if (text[10] == 'T') {
        text[10] = ' ';
    }
    int seconds = 0;
    if (text.size() == 19) {
        const auto parsed = number<int>(std::string_view(text).substr(17));
        if (text[16] != ':' || !parsed || *parsed > 59 || text[17] == '-' || text[17] == '+') {
            return std::nullopt;
        }
        seconds = *parsed;
        text.resize(16);
    }
    const auto minute = parseLocalDateTime(text);
    if (!minute) {
        return std::nullopt;
    }
    return *minute + seconds;
}

/// Checks what the options say together; empty when they fit.
std::string checkOptions(const MakeDiaryOptions& options)
{
    if (options.outDir.empty()) {
        return "name the directory to write";
    }
    const std::int64_t now = options.generate.now;
    if (!fitsStoredTime(now) || !fitsStoredTime(addLocalDays(now, kNoteDays))) {
        return "--now must leave two years for future notes before 2038";
    }
    if (breakDown(now, /*greenwich=*/false).year - options.generate.years < kEarliestYear) {
        return "the first year would lie before " + std::to_string(kEarliestYear);
    }
    if (options.exportDir && *options.exportDir == options.outDir) {
        return "--export needs a directory of its own";
    }
    if (options.exportYearsDir && (*options.exportYearsDir == options.outDir ||
                                   *options.exportYearsDir == options.exportDir)) {
        return "--export-years needs a directory of its own";
    }
    return {};
}

} // namespace

std::string makeDiaryUsage()
{
    return "Usage: make-diary [--years N] [--now WHEN] [--seed N] [--alarms N] [--lists N]\n"
           "                  [--notes N] [--plant PHRASE [--plant-share PERCENT]] [--export DIR]\n"
           "                  [--export-years DIR] OUTDIR\n"
           "       make-diary --derive FROMDIR [--share PERCENT] [--seed N] [--export DIR]\n"
           "                  [--export-years DIR] OUTDIR\n"
           "\n"
           "Writes a synthetic Daylark data set into OUTDIR (new or empty): N years of filed\n"
           "pages (default 10) up to the day before WHEN, the current-day file dated WHEN\n"
           "(YYYY-MM-DD, 'YYYY-MM-DD HH:MM[:SS]' or YYYY-MM-DDTHH:MM[:SS], local time; default\n"
           "now), 200 alarms, 50 lists and 300 future notes (or as many as given). The same\n"
           "options give the same files.\n"
           "\n"
           "--derive copies the data set in FROMDIR as another machine would hold it: PERCENT\n"
           "(default 5) of its pages, notes and lists differ, the current-day page is edited,\n"
           "and that share of new alarms is added.\n"
           "\n"
           "--plant PHRASE puts PHRASE on a line of its own into PERCENT (default 10) of the\n"
           "pages, chosen at random; the rest of the set stays as without it.\n"
           "\n"
           "--export DIR also writes every filed page's text as DIR/YYYY/YYYY-MM-DD.txt;\n"
           "--export-years DIR writes them one file per year, DIR/YYYY.txt, in date order,\n"
           "each followed by a line break.\n"
           "--seed N picks the data (default 1).\n";
}

std::variant<MakeDiaryOptions, std::string> parseMakeDiaryArgs(const std::vector<std::string>& args,
                                                               std::int64_t now)
{
    MakeDiaryOptions options;
    options.generate.now = now;
    bool generating = false; // an option that only generation uses was given
    bool shareGiven = false;
    bool plantShareGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!options.outDir.empty()) {
                return "one output directory only: " + arg;
            }
            options.outDir = arg;
            continue;
        }
        if (i + 1 >= args.size()) {
            return arg + " needs a value";
        }
        const std::string& value = args[++i];
        auto count = [&](int& target, long low, long high) -> std::string {
            const auto parsed = number<long>(value);
            if (!parsed || *parsed < low || *parsed > high) {
                return arg + " takes a whole number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", not " + value;
            }
            target = static_cast<int>(*parsed);
            generating = true;
            return {};
        };
        std::string problem;
        if (arg == "--years") {
            problem = count(options.generate.years, 1, 100);
        } else if (arg == "--alarms") {
            problem = count(options.generate.alarms, 0, kMaxRecords);
        } else if (arg == "--lists") {
            problem = count(options.generate.lists, 0, kMaxRecords);
        } else if (arg == "--notes") {
            problem = count(options.generate.notes, 0, kMaxRecords);
        } else if (arg == "--now") {
            const auto parsed = parseNow(value);
            if (!parsed) {
                return "--now takes YYYY-MM-DD or 'YYYY-MM-DD HH:MM[:SS]', not " + value;
            }
            options.generate.now = *parsed;
            generating = true;
        } else if (arg == "--seed") {
            const auto parsed = number<std::uint64_t>(value);
            if (!parsed) {
                return "--seed takes a whole number, not " + value;
            }
            options.generate.seed = *parsed;
            options.derive.seed = *parsed;
        } else if (arg == "--share") {
            const auto parsed = number<double>(value);
            if (!parsed || !(*parsed >= 0 && *parsed <= 100)) {
                return "--share takes a percentage from 0 to 100, not " + value;
            }
            options.derive.sharePercent = *parsed;
            shareGiven = true;
        } else if (arg == "--plant") {
            if (value.empty() || value.find_first_of("\r\n") != std::string::npos) {
                return "--plant takes a phrase of one line";
            }
            options.generate.plant = value;
            generating = true;
        } else if (arg == "--plant-share") {
            const auto parsed = number<double>(value);
            if (!parsed || !(*parsed >= 0 && *parsed <= 100)) {
                return "--plant-share takes a percentage from 0 to 100, not " + value;
            }
            options.generate.plantPercent = *parsed;
            plantShareGiven = true;
            generating = true;
        } else if (arg == "--derive") {
            options.deriveFrom = value;
        } else if (arg == "--export") {
            options.exportDir = value;
        } else if (arg == "--export-years") {
            options.exportYearsDir = value;
        } else {
            return "unknown option " + arg;
        }
        if (!problem.empty()) {
            return problem;
        }
    }
    if (options.deriveFrom && generating) {
        return "--derive takes the years, the day and the records from its data set; give only "
               "--share, --seed, --export and --export-years with it";
    }
    if (shareGiven && !options.deriveFrom) {
        return "--share goes with --derive";
    }
    if (plantShareGiven && options.generate.plant.empty()) {
        return "--plant-share goes with --plant";
    }
    if (const std::string problem = checkOptions(options); !problem.empty()) {
        return problem;
    }
    return options;
}

} // namespace daylark::bench
