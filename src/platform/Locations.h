#pragma once

#include <functional>
#include <optional>
#include <string>

namespace daylark {

/// What the command line says about locations (`--data-dir`, `--profile`, `--day-file` or
/// the desktop program's positional argument). An empty value counts as not given.
struct LocationOptions
{
    std::optional<std::string> dataDir;
    std::optional<std::string> profile;
    std::optional<std::string> dayFile;
};

/// Where the data set and the profile live.
///
/// Data directory: `--data-dir`, else $DAYLARK_DATA_DIR, else $XDG_DATA_HOME/daylark, else
/// $HOME/.local/share/daylark. Profile: `--profile`, else $XDG_CONFIG_HOME/daylark/daylark.ini,
/// else $HOME/.config/daylark/daylark.ini. An XDG value that is empty or relative is ignored,
/// as the XDG rules say. Current-day file: `--day-file`, else "daylark.day" in the data
/// directory (looked up without regard to case when resolved). Without $HOME the home directory
/// comes from the password database.
class Locations
{
public:
    /// `getenv` is the environment to read (std::getenv in the programs, a table in tests).
    static Locations resolve(const LocationOptions& options,
                             const std::function<const char*(const char*)>& getenv);

    /// Empty only when no home directory could be found and no option or variable named one.
    const std::string& dataDir() const { return m_dataDir; }
    const std::string& profilePath() const { return m_profilePath; }
    const std::string& dayFile() const { return m_dayFile; }
    /// Where the desktop's autostart entry for Daylark lives
    /// ($XDG_CONFIG_HOME/autostart/daylark.desktop); empty without a home directory.
    const std::string& autostartPath() const { return m_autostartPath; }

    /// Creates the data directory (mode 0700, with its parents) when it is missing. Returns 0 or
    /// the errno value (ENOTDIR when the path names something else).
    int ensureDataDir() const;

    /// The data files, each looked up without regard to case (see findDataFile), so an existing
    /// "DayLark.fut" is found under that name; new ones are named in lower case.
    std::string archivePath(int year) const;
    std::string futurePath() const;
    std::string alarmPath() const;
    std::string listsPath() const;

private:
    std::string m_dataDir;
    std::string m_profilePath;
    std::string m_dayFile;
    std::string m_autostartPath;
};

} // namespace daylark
