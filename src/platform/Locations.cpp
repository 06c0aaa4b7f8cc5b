#include "platform/Locations.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace daylark {

namespace {

using Environment = std::function<const char*(const char*)>;

std::optional<std::string> given(const std::optional<std::string>& option)
{
    if (option && !option->empty()) {
        return option;
    }
    return std::nullopt;
}

std::optional<std::string> variable(const Environment& getenv, const char* name)
{
    const char* value = getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

// XDG base directories must be absolute; any other value is ignored.
std::optional<std::string> xdgVariable(const Environment& getenv, const char* name)
{
    auto value = variable(getenv, name);
    if (value && value->front() != '/') {
        return std::nullopt;
    }
    return value;
}

std::string homeDirectory(const Environment& getenv)
{
    if (auto home = variable(getenv, "HOME")) {
        return *home;
    }
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] != '\0') {
        return found->pw_dir;
    }
    return {};
}

// `relative` below the XDG directory `xdgName`, else below `fallback` in the home directory.
std::string xdgPath(const Environment& getenv, const char* xdgName, const char* fallback,
                    const std::string& relative)
{
    if (auto base = xdgVariable(getenv, xdgName)) {
        return joinPath(*base, relative);
    }
    const std::string home = homeDirectory(getenv);
    if (home.empty()) {
        return {};
    }
    return joinPath(joinPath(home, fallback), relative);
}

} // namespace

Locations Locations::resolve(const LocationOptions& options, const Environment& getenv)
{
    Locations locations;
    if (auto dir = given(options.dataDir)) {
        locations.m_dataDir = *dir;
    } else if (auto fromEnvironment = variable(getenv, "DAYLARK_DATA_DIR")) {
        locations.m_dataDir = *fromEnvironment;
    } else {
        locations.m_dataDir = xdgPath(getenv, "XDG_DATA_HOME", ".local/share", "daylark");
    }

    if (auto profile = given(options.profile)) {
        locations.m_profilePath = *profile;
    } else {
        locations.m_profilePath =
            xdgPath(getenv, "XDG_CONFIG_HOME", ".config", "daylark/daylark.ini");
    }

    locations.m_autostartPath =
        xdgPath(getenv, "XDG_CONFIG_HOME", ".config", "autostart/daylark.desktop");

    if (auto dayFile = given(options.dayFile)) {
        locations.m_dayFile = *dayFile;
    } else if (!locations.m_dataDir.empty()) {
        locations.m_dayFile = findDataFile(locations.m_dataDir, "daylark.day");
    }
    return locations;
}

int Locations::ensureDataDir() const
{
    if (m_dataDir.empty()) {
        return ENOENT;
    }
    return createDirectories(m_dataDir);
}

std::string Locations::archivePath(int year) const
{
    return findDataFile(m_dataDir, std::to_string(year) + ".dlk");
}

std::string Locations::futurePath() const
{
    return findDataFile(m_dataDir, "DayLark.fut");
}

std::string Locations::alarmPath() const
{
    return findDataFile(m_dataDir, "DayLark.alm");
}

std::string Locations::listsPath() const
{
    return findDataFile(m_dataDir, "DayLark.tdl");
}

} // namespace daylark
