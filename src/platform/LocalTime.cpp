#include "platform/LocalTime.h"

#include <climits>
#include <ctime>
#include <limits>

namespace daylark {
namespace {

static_assert(sizeof(std::time_t) >= 8, "times past 2038 must not wrap in memory");

// Field arithmetic is done wide and clamped, so an absurd argument cannot overflow an int.
int clampToInt(long long value)
{
    if (value < INT_MIN) {
        return INT_MIN;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

TimeFields fromTm(const std::tm& tm)
{
    TimeFields fields;
    fields.year = clampToInt(static_cast<long long>(tm.tm_year) + 1900);
    fields.month = tm.tm_mon + 1;
    fields.day = tm.tm_mday;
    fields.weekday = tm.tm_wday;
    fields.yearDay = tm.tm_yday;
    fields.hour = tm.tm_hour;
    fields.minute = tm.tm_min;
    fields.second = tm.tm_sec;
    return fields;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Reads exactly `count` decimal digits at `pos`; nothing when any of them is not a digit.
std::optional<int> readDigits(std::string_view text, std::size_t pos, std::size_t count)
{
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

struct DateParts
{
    int year;
    int month;
    int day;
};

std::optional<DateParts> parseDateParts(std::string_view text)
{
    if (text.size() < 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto year = readDigits(text, 0, 4);
    const auto month = readDigits(text, 5, 2);
    const auto day = readDigits(text, 8, 2);
    if (!year || !month || !day) {
        return std::nullopt;
    }
    if (*day < 1 || *day > daysInMonth(*year, *month)) {
        return std::nullopt;
    }
    return DateParts{*year, *month, *day};
}

} // namespace
} // namespace daylark

daylark::TimeFields daylark::breakDown(std::int64_t t, bool greenwich)
{
    const auto value = static_cast<std::time_t>(t);
    std::tm tm{};
    const std::tm* done = greenwich ? ::gmtime_r(&value, &tm) : ::localtime_r(&value, &tm);
    if (done == nullptr) {
        return TimeFields{};
    }
    return fromTm(tm);
}

std::int64_t daylark::makeLocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    tm.tm_year = clampToInt(static_cast<long long>(year) - 1900);
    tm.tm_mon = clampToInt(static_cast<long long>(month) - 1);
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1; // let the zone's rules decide for the resulting day
    return static_cast<std::int64_t>(std::mktime(&tm));
}

std::int64_t daylark::localMidnight(std::int64_t t)
{
    const TimeFields local = breakDown(t, /*greenwich=*/false);
    return makeLocalTime(local.year, local.month, local.day);
}

std::int64_t daylark::addLocalDays(std::int64_t t, int days)
{
    const TimeFields local = breakDown(t, /*greenwich=*/false);
    return makeLocalTime(local.year, local.month,
                         clampToInt(static_cast<long long>(local.day) + days), local.hour,
                         local.minute, local.second);
}

long daylark::civilDayNumber(int year, int month, int day)
{
    // Days from 1970-01-01 in the proleptic Gregorian calendar, counted in 400-year eras so
    // that no table is needed and negative years work.
    const long y = static_cast<long>(year) - (month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long shiftedMonth = month > 2 ? month - 3 : month + 9;
    const long dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long daylark::localDayNumber(std::int64_t t)
{
    const TimeFields local = breakDown(t, /*greenwich=*/false);
    return civilDayNumber(local.year, local.month, local.day);
}

bool daylark::fitsStoredTime(std::int64_t t)
{
    return t >= std::numeric_limits<std::int32_t>::min() &&
           t <= std::numeric_limits<std::int32_t>::max();
}

bool daylark::sameLocalDay(std::int64_t a, std::int64_t b)
{
    const TimeFields first = breakDown(a, /*greenwich=*/false);
    const TimeFields second = breakDown(b, /*greenwich=*/false);
    return first.year == second.year && first.month == second.month && first.day == second.day;
}

int daylark::daysInMonth(int year, int month)
{
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    if (month == 2 && isLeapYear(year)) {
        return 29;
    }
    return kDays[month - 1];
}

std::optional<std::int64_t> daylark::parseLocalDate(std::string_view text)
{
    if (text.size() != 10) {
        return std::nullopt;
    }
    const auto date = parseDateParts(text);
    if (!date) {
        return std::nullopt;
    }
    return makeLocalTime(date->year, date->month, date->day);
}

std::optional<std::int64_t> daylark::parseLocalDateTime(std::string_view text)
{
    if (text.size() != 16 || text[10] != ' ' || text[13] != ':') {
        return std::nullopt;
    }
    const auto date = parseDateParts(text);
    const auto hour = readDigits(text, 11, 2);
    const auto minute = readDigits(text, 14, 2);
    if (!date || !hour || !minute || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    return makeLocalTime(date->year, date->month, date->day, *hour, *minute);
}
