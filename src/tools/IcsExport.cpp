#include "tools/IcsExport.h"

#include "alarms/CDaylarkAlarm.h"
#include "platform/LocalTime.h"
#include "platform/TimeText.h"
#include "tools/ExportText.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>
#include <map>
#include <unistd.h>

namespace daylark {

namespace {

constexpr std::size_t kFoldOctets = 75;
/// The last second the data files can hold: the local offsets are described up to there.
constexpr std::int64_t kLastStoredTime = std::numeric_limits<std::int32_t>::max();

/// Appends one content line, folded so that no line is longer than 75 octets without its CRLF
/// and no UTF-8 character is split.
void addLine(std::string& out, std::string_view line)
{
    std::size_t limit = kFoldOctets;
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = kFoldOctets - 1; // the leading blank of a continuation counts
    }
    out.append(line);
    out += "\r\n";
}

/// A TEXT value: backslash, semicolon and comma escaped, line breaks as "\n", and the control
/// characters iCalendar forbids shown as U+FFFD.
std::string escapeText(std::string_view stored)
{
    const std::string text = utf8FromStored(stored);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            out += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
            out += "\xEF\xBF\xBD";
        } else {
            out += c;
        }
    }
    return out;
}

std::string uidOf(const CDaylarkAlarm& alarm)
{
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a, 64 bits
    const std::string key =
        alarm.Name + '\n' + std::to_string(alarm.Time) + '\n' + std::to_string(alarm.Frequency);
    for (const char c : key) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

/// The RRULE value that repeats an alarm as OccursOn does from its own date on; empty for an
/// alarm that falls on its own date only.
std::string ruleOf(const CDaylarkAlarm& alarm)
{
    const TimeFields at = breakDown(alarm.Time, /*greenwich=*/false);
    switch (static_cast<Frequency>(alarm.Frequency)) {
    case Frequency::Daily:
        return "FREQ=DAILY";
    case Frequency::Weekly:
        return "FREQ=WEEKLY";
    case Frequency::Biweekly:
        return "FREQ=WEEKLY;INTERVAL=2";
    case Frequency::Monthly:
        return "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(at.day);
    case Frequency::Yearly:
    case Frequency::Birthday:
        return "FREQ=YEARLY;BYMONTH=" + std::to_string(at.month) +
               ";BYMONTHDAY=" + std::to_string(at.day);
    case Frequency::Once:
        break;
    }
    return {};
}

/// The local offset from UTC in effect at t and the zone's abbreviation then.
struct Offset
{
    long seconds = 0;
    bool summer = false;
    std::string abbreviation;
    bool operator==(const Offset& other) const
    {
        return seconds == other.seconds && summer == other.summer;
    }
};

Offset offsetAt(std::int64_t t)
{
    const std::time_t value = static_cast<std::time_t>(t);
    std::tm fields{};
    if (::localtime_r(&value, &fields) == nullptr) {
        return {};
    }
    return {fields.tm_gmtoff, fields.tm_isdst > 0, fields.tm_zone ? fields.tm_zone : ""};
}

std::string offsetText(long seconds)
{
    const char sign = seconds < 0 ? '-' : '+';
    // Offsets lie within a day; the bound keeps the text short whatever the C library says.
    const long magnitude = std::min(seconds < 0 ? -seconds : seconds, 86399L);
    char text[48];
    if (magnitude % 60 != 0) {
        std::snprintf(text, sizeof text, "%c%02ld%02ld%02ld", sign, magnitude / 3600,
                      magnitude / 60 % 60, magnitude % 60);
    } else {
        std::snprintf(text, sizeof text, "%c%02ld%02ld", sign, magnitude / 3600,
                      magnitude / 60 % 60);
    }
    return text;
}

void addObservance(std::string& out, std::int64_t utc, const Offset& from, const Offset& to)
{
    const char* kind = to.summer ? "DAYLIGHT" : "STANDARD";
    addLine(out, std::string("BEGIN:") + kind);
    addLine(out, "DTSTART:" + formatTime("%Y%m%dT%H%M%S", utc + from.seconds, true));
    addLine(out, "TZOFFSETFROM:" + offsetText(from.seconds));
    addLine(out, "TZOFFSETTO:" + offsetText(to.seconds));
    if (!to.abbreviation.empty()) {
        addLine(out, "TZNAME:" + escapeText(to.abbreviation));
    }
    addLine(out, std::string("END:") + kind);
}

/// The zone's offsets from `start` to 2038: the one in effect at `start`, then every change,
/// found day by day and pinned to its second.
void addTimeZone(std::string& out, const std::string& name, std::int64_t start)
{
    addLine(out, "BEGIN:VTIMEZONE");
    addLine(out, "TZID:" + name);
    Offset current = offsetAt(start);
    addObservance(out, start, current, current);
    for (std::int64_t t = start; t < kLastStoredTime;) {
        const std::int64_t next = std::min(t + 86400, kLastStoredTime);
        if (offsetAt(next) == current) {
            t = next;
            continue;
        }
        std::int64_t low = t; // same offset as current
        std::int64_t high = next;
        while (high - low > 1) {
            const std::int64_t middle = low + (high - low) / 2;
            (offsetAt(middle) == current ? low : high) = middle;
        }
        const Offset changed = offsetAt(high);
        addObservance(out, high, current, changed);
        current = changed;
        t = high;
    }
    addLine(out, "END:VTIMEZONE");
}

void addEvent(std::string& out, const CDaylarkAlarm& alarm, const std::string& uid,
              const std::string& stamp, const std::optional<std::string>& zoneName)
{
    const std::string start = formatTime("%Y%m%dT%H%M%S", alarm.Time, /*greenwich=*/false);
    const std::string summary = escapeText(alarm.Name);
    addLine(out, "BEGIN:VEVENT");
    addLine(out, "UID:" + uid);
    addLine(out, "DTSTAMP:" + stamp);
    addLine(out, "SUMMARY:" + summary);
    addLine(out, zoneName ? "DTSTART;TZID=" + *zoneName + ":" + start : "DTSTART:" + start);
    if (const std::string rule = ruleOf(alarm); !rule.empty()) {
        addLine(out, "RRULE:" + rule);
    }
    addLine(out, "BEGIN:VALARM");
    addLine(out, "ACTION:DISPLAY");
    addLine(out, "DESCRIPTION:" + summary);
    addLine(out, "TRIGGER:PT0S");
    addLine(out, "END:VALARM");
    addLine(out, "END:VEVENT");
}

bool isZoneName(std::string_view name)
{
    if (name.empty() || name.find("..") != std::string_view::npos || name[0] == '/') {
        return false;
    }
    bool digit = false;
    for (const char c : name) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        digit = digit || (c >= '0' && c <= '9');
        if (!letter && !(c >= '0' && c <= '9') && c != '/' && c != '_' && c != '-' && c != '+') {
            return false;
        }
    }
    // "EST5EDT" or "CET-1" are POSIX rules; zone names with digits have a folder ("Etc/GMT+5").
    return !digit || name.find('/') != std::string_view::npos;
}

std::optional<std::string> nameFromPath(std::string_view path)
{
    constexpr std::string_view kFolder = "/zoneinfo/";
    const std::size_t at = path.rfind(kFolder);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view name = path.substr(at + kFolder.size());
    // Debian keeps copies under zoneinfo/posix/ and zoneinfo/right/.
    for (const std::string_view prefix : {"posix/", "right/"}) {
        if (name.starts_with(prefix)) {
            name.remove_prefix(prefix.size());
        }
    }
    return isZoneName(name) ? std::optional<std::string>(name) : std::nullopt;
}

} // namespace

std::optional<std::string> zoneNameOf(const char* tz, const std::string& localtimeLink)
{
    if (tz != nullptr) {
        std::string_view value(tz);
        if (value.starts_with(':')) {
            value.remove_prefix(1);
        }
        if (value.starts_with('/')) {
            return nameFromPath(value);
        }
        return isZoneName(value) ? std::optional<std::string>(value) : std::nullopt;
    }
    char target[4096];
    const ssize_t length = ::readlink(localtimeLink.c_str(), target, sizeof target - 1);
    if (length <= 0) {
        return std::nullopt;
    }
    return nameFromPath(std::string_view(target, static_cast<std::size_t>(length)));
}

std::string exportIcs(const std::vector<std::unique_ptr<CDaylarkAlarm>>& alarms, std::int64_t now,
                      const std::optional<std::string>& zoneName)
{
    std::string out;
    addLine(out, "BEGIN:VCALENDAR");
    addLine(out, "VERSION:2.0");
    addLine(out, "PRODID:-//Daylark//Daylark day planner//EN");
    addLine(out, "CALSCALE:GREGORIAN");
    if (zoneName && !alarms.empty()) {
        std::int64_t first = alarms.front()->Time;
        for (const auto& alarm : alarms) {
            first = std::min(first, alarm->Time);
        }
        addTimeZone(out, *zoneName,
                    makeLocalTime(breakDown(first, /*greenwich=*/false).year, 1, 1));
    }
    const std::string stamp = formatTime("%Y%m%dT%H%M%SZ", now, /*greenwich=*/true);
    std::map<std::string, int> seen;
    for (const auto& alarm : alarms) {
        const std::string base = uidOf(*alarm);
        const int count = ++seen[base];
        const std::string uid =
            base + (count > 1 ? "-" + std::to_string(count) : std::string()) + "@daylark";
        addEvent(out, *alarm, uid, stamp, zoneName);
    }
    addLine(out, "END:VCALENDAR");
    return out;
}

} // namespace daylark
