#include "sync/FileSet.h"

#include "platform/Clock.h"
#include "platform/FileCompare.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"

std::string daylark::FileSet::archiveName(int year)
{
    return std::to_string(year) + ".dlk";
}

int daylark::FileSet::currentYear(const Clock& clock)
{
    return breakDown(clock.now(), /*greenwich=*/false).year;
}

bool daylark::FileSet::holdsAny(const std::string& dir, int lastYear)
{
    for (const char* name : {kDayFile, kFutureFile, kListsFile, kAlarmFile}) {
        if (fileStatus(findDataFile(dir, name)).exists) {
            return true;
        }
    }
    for (int year = kFirstYear; year <= lastYear; ++year) {
        if (fileStatus(findDataFile(dir, archiveName(year))).exists) {
            return true;
        }
    }
    return false;
}

bool daylark::filesAgree(const std::string& a, const std::string& b)
{
    const FileStatus first = fileStatus(a);
    const FileStatus second = fileStatus(b);
    return first.exists && second.exists && first.modified == second.modified &&
           first.size == second.size && sameContents(a, b);
}

std::optional<std::string> daylark::directoryWithSlash(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    return path.substr(0, slash + 1);
}

std::string daylark::fillMessage(std::string_view pattern,
                                 std::initializer_list<std::string> values)
{
    std::string text;
    auto value = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::string_view rest = pattern.substr(i);
        const std::size_t length = rest.starts_with("%ld")                            ? 3
                                   : rest.starts_with("%d") || rest.starts_with("%s") ? 2
                                                                                      : 0;
        if (length == 0 || value == values.end()) {
            text += pattern[i];
            continue;
        }
        text += *value++;
        i += length - 1;
    }
    return text;
}
