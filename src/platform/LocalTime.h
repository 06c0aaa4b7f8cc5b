#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace daylark {

/// A time value broken down into calendar fields, local or Greenwich.
struct TimeFields
{
    int year = 1970;
    int month = 1;   ///< 1-12
    int day = 1;     ///< 1-31
    int weekday = 4; ///< 0 = Sunday
    int yearDay = 0; ///< 0-365, days since 1 January
    int hour = 0;
    int minute = 0;
    int second = 0;
};

/// Breaks t down in local time (the TZ variable is honoured) or, when greenwich is set, in UTC.
/// A value the C library cannot break down (far outside any calendar) gives 1970-01-01 00:00:00.
TimeFields breakDown(std::int64_t t, bool greenwich);

/// The time value of local calendar fields. Out-of-range fields are carried over (hour 25 is
/// the next day, month 13 January of the next year, 30 February early March); whether summer
/// time applies is decided for the resulting day. A clock time that a summer-time change skips
/// lands on the other side of the change.
std::int64_t makeLocalTime(int year, int month, int day, int hour = 0, int minute = 0,
                           int second = 0);

/// Local midnight of t's local calendar day.
std::int64_t localMidnight(std::int64_t t);

/// The same local clock time `days` local calendar days later (earlier when negative). A
/// calendar day is not always 86400 seconds: stepping over a summer-time change neither skips
/// nor repeats a day.
std::int64_t addLocalDays(std::int64_t t, int days);

/// Whole local calendar days between 1970-01-01 and t's local day. Differences of two such
/// numbers count calendar days, whatever summer time did in between.
long localDayNumber(std::int64_t t);

/// Days between 1970-01-01 and the given date of the proleptic Gregorian calendar.
long civilDayNumber(int year, int month, int day);

/// Whether t can be stored: files keep times as signed 32-bit seconds.
bool fitsStoredTime(std::int64_t t);

/// Whether a and b fall on the same local calendar day (year, month and day agree).
bool sameLocalDay(std::int64_t a, std::int64_t b);

/// Days in a month (1-12) of the Gregorian calendar; 0 for a month out of range.
int daysInMonth(int year, int month);

/// "YYYY-MM-DD" to local midnight of that day. Nothing when the text has another shape or names
/// no real day (month 13, 30 February).
std::optional<std::int64_t> parseLocalDate(std::string_view text);

/// "YYYY-MM-DD HH:MM" (24-hour clock) to that local time. Nothing when the text has another
/// shape or a field is out of range. A clock time that a summer-time change skips lands on the
/// other side of the change.
std::optional<std::int64_t> parseLocalDateTime(std::string_view text);

} // namespace daylark
