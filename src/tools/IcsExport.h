#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace daylark {

struct CDaylarkAlarm;

/// The name of the local time zone as the zone database spells it ("Europe/Paris"), or nothing
/// when the system gives none. `tz` is the TZ variable (null when unset): a name, ":name" or a
/// path under a "zoneinfo" folder names a zone; a POSIX rule such as "EST5EDT,M3.2.0,M11.1.0"
/// does not. Without TZ the link `localtimeLink` (normally /etc/localtime) is read.
std::optional<std::string> zoneNameOf(const char* tz, const std::string& localtimeLink);

/// The alarms as an iCalendar file (CRLF lines folded at 75 octets, texts escaped and in
/// UTF-8): one VEVENT per alarm, in file order, starting at the alarm's own local date and time
/// and repeating by an RRULE as the program repeats it, each with a display VALARM. With a zone
/// name the start times carry it as TZID and a VTIMEZONE describes the local time's offsets
/// from the first alarm's year to 2038, read from the C library; without one they are floating
/// local times. `now` is the DTSTAMP. The UID comes from name, time and frequency, so the same
/// alarm keeps it from one export to the next; identical alarms get "-2", "-3", ... so none of
/// them replaces another in a calendar.
std::string exportIcs(const std::vector<std::unique_ptr<CDaylarkAlarm>>& alarms, std::int64_t now,
                      const std::optional<std::string>& zoneName);

} // namespace daylark
