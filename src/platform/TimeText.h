#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace daylark {

struct DisplayFlags;

/// Formats t by a strftime pattern, broken down in local time or, when greenwich is set, in UTC.
/// Day and month names and AM/PM are English whatever the locale. A "#" between "%" and the
/// conversion letter drops the leading zeros of a number ("%#d" gives 3, "%#I" gives 9).
/// Conversions: %a %A %b %B %c %d %D %e %F %H %I %j %m %M %n %p %R %S %t %T %u %w %x %X %y %Y
/// %%; an unknown conversion is copied as it stands. The result is cut to 127 characters.
std::string formatTime(std::string_view pattern, std::int64_t t, bool greenwich);

/// The status-bar clock: "9:05 AM", or "09:05" with the 24-hour clock.
std::string ClockText(std::int64_t t, const DisplayFlags& flags);

/// The short time that leads an alarm line: "9:05 AM: ", or "09:05 " with the 24-hour clock.
std::string FormatAlarmTime(std::int64_t t, const DisplayFlags& flags);

/// The long date, "Monday, March 3, 1997" or "Mon Mar 03 1997" with the 24-hour clock, with the
/// time of day when withTime is set.
std::string FormatDate(std::int64_t t, bool withTime, const DisplayFlags& flags);

} // namespace daylark
