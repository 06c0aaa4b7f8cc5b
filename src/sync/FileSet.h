#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace daylark {

class Clock;

/// The files of a data set, all in one directory: the current-day file, the future notes, the
/// lists, the alarms and one archive per year from 1995 to the current year. Their names are
/// found whatever their case (a set copied from Windows may hold "DayLark.ALM").
struct FileSet
{
    static constexpr int kFirstYear = 1995;
    static constexpr const char* kDayFile = "daylark.day";
    static constexpr const char* kFutureFile = "daylark.fut";
    static constexpr const char* kListsFile = "daylark.tdl";
    static constexpr const char* kAlarmFile = "daylark.alm";

    /// "1996.dlk"
    static std::string archiveName(int year);
    /// The last year of the set: the local calendar year of now.
    static int currentYear(const Clock& clock);
    /// Whether `dir` holds any file of a data set (of the years up to `lastYear`).
    static bool holdsAny(const std::string& dir, int lastYear);
};

/// Whether the two files count as unchanged, one a copy of the other: both exist, and their
/// modification times agree to the second, their sizes agree and so do their bytes. Two files
/// written within one second at the same size are not taken as equal on time and size alone;
/// the bytes are read only when time and size agree.
bool filesAgree(const std::string& a, const std::string& b);

/// The directory of `path` with its trailing '/' (the text up to and including the last '/');
/// none when the path holds no '/'.
std::optional<std::string> directoryWithSlash(const std::string& path);

/// `pattern` with each "%ld", "%d" and "%s" replaced by the next of `values`, in order: the
/// messages of the backup and the synchronisation keep their patterns as the user sees them.
std::string fillMessage(std::string_view pattern, std::initializer_list<std::string> values);

} // namespace daylark
