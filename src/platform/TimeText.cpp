#include "platform/TimeText.h"

#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"

#include <array>

namespace daylark {
namespace {

constexpr std::size_t kMaxText = 127;

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// The weekday and month fields come from the C library and are always in range; the guard
// only keeps a corrupt breakdown from reading outside the tables.
std::string_view dayName(int weekday, bool abbreviated)
{
    const std::string_view name = (weekday >= 0 && weekday < 7) ? kDayNames[weekday] : "?";
    return abbreviated ? name.substr(0, 3) : name;
}

std::string_view monthName(int month, bool abbreviated)
{
    const std::string_view name = (month >= 1 && month <= 12) ? kMonthNames[month - 1] : "?";
    return abbreviated ? name.substr(0, 3) : name;
}

int twelveHour(int hour)
{
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

// Appends value padded to width with pad, or bare when the "#" flag asks for no leading zeros.
void appendNumber(std::string& out, long value, int width, bool noPadding, char pad = '0')
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (!noPadding) {
        while (static_cast<int>(digits.size()) < width) {
            digits.insert(digits.begin(), pad);
        }
    }
    if (value < 0) {
        out += '-';
    }
    out += digits;
}

void appendConversion(std::string& out, char conversion, const TimeFields& f, bool noPadding);

void appendPattern(std::string& out, std::string_view pattern, const TimeFields& f)
{
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        std::size_t letter = i + 1;
        const bool noPadding = letter < pattern.size() && pattern[letter] == '#';
        if (noPadding) {
            ++letter;
        }
        if (letter >= pattern.size()) {
            out.append(pattern.substr(i)); // a "%" that ends the pattern stands for itself
            return;
        }
        appendConversion(out, pattern[letter], f, noPadding);
        i = letter;
    }
}

void appendConversion(std::string& out, char conversion, const TimeFields& f, bool noPadding)
{
    switch (conversion) {
    case 'a':
        out += dayName(f.weekday, true);
        break;
    case 'A':
        out += dayName(f.weekday, false);
        break;
    case 'b':
    case 'h':
        out += monthName(f.month, true);
        break;
    case 'B':
        out += monthName(f.month, false);
        break;
    case 'c':
        appendPattern(out, "%a %b %e %H:%M:%S %Y", f);
        break;
    case 'd':
        appendNumber(out, f.day, 2, noPadding);
        break;
    case 'D':
    case 'x':
        appendPattern(out, "%m/%d/%y", f);
        break;
    case 'e':
        appendNumber(out, f.day, 2, noPadding, ' ');
        break;
    case 'F':
        appendPattern(out, "%Y-%m-%d", f);
        break;
    case 'H':
        appendNumber(out, f.hour, 2, noPadding);
        break;
    case 'I':
        appendNumber(out, twelveHour(f.hour), 2, noPadding);
        break;
    case 'j':
        appendNumber(out, f.yearDay + 1, 3, noPadding);
        break;
    case 'm':
        appendNumber(out, f.month, 2, noPadding);
        break;
    case 'M':
        appendNumber(out, f.minute, 2, noPadding);
        break;
    case 'n':
        out += '\n';
        break;
    case 'p':
        out += f.hour < 12 ? "AM" : "PM";
        break;
    case 'R':
        appendPattern(out, "%H:%M", f);
        break;
    case 'S':
        appendNumber(out, f.second, 2, noPadding);
        break;
    case 't':
        out += '\t';
        break;
    case 'T':
    case 'X':
        appendPattern(out, "%H:%M:%S", f);
        break;
    case 'u':
        appendNumber(out, f.weekday == 0 ? 7 : f.weekday, 1, noPadding);
        break;
    case 'w':
        appendNumber(out, f.weekday, 1, noPadding);
        break;
    case 'y':
        appendNumber(out, ((f.year % 100) + 100) % 100, 2, noPadding);
        break;
    case 'Y':
        appendNumber(out, f.year, 1, noPadding);
        break;
    case '%':
        out += '%';
        break;
    default:
        out += '%';
        if (noPadding) {
            out += '#';
        }
        out += conversion;
        break;
    }
}

} // namespace
} // namespace daylark

std::string daylark::formatTime(std::string_view pattern, std::int64_t t, bool greenwich)
{
    std::string out;
    appendPattern(out, pattern, breakDown(t, greenwich));
    if (out.size() > kMaxText) {
        out.resize(kMaxText);
    }
    return out;
}

std::string daylark::ClockText(std::int64_t t, const DisplayFlags& flags)
{
    return formatTime(flags.use24HourClock ? "%H:%M" : "%#I:%M %p", t, flags.useGmt);
}

std::string daylark::FormatAlarmTime(std::int64_t t, const DisplayFlags& flags)
{
    return formatTime(flags.use24HourClock ? "%H:%M " : "%#I:%M %p: ", t, flags.useGmt);
}

std::string daylark::FormatDate(std::int64_t t, bool withTime, const DisplayFlags& flags)
{
    if (flags.use24HourClock) {
        return formatTime(withTime ? "%a %b %d %H:%M:%S %Y" : "%a %b %d %Y", t, flags.useGmt);
    }
    if (!withTime) {
        return formatTime("%A, %B %#d, %Y", t, flags.useGmt);
    }
    // The Greenwich pattern keeps the hour's leading zero; the local one drops it.
    return formatTime(flags.useGmt ? "%A, %B %#d, %I:%M:%S%p %Y" : "%A, %B %#d, %#I:%M:%S%p %Y", t,
                      flags.useGmt);
}
