#pragma once

#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

namespace daylark {

/// What a file of the data directory is, by its name.
enum class DataFileKind {
    DayFile,        ///< the current-day file
    Archive,        ///< "NNNN.dlk"
    FutureNotes,    ///< "daylark.fut"
    Lists,          ///< "daylark.tdl"
    Alarms,         ///< "daylark.alm"
    SaveTemporary,  ///< ".<name>.tmp-XXXXXX": a whole-file save that never reached its rename
    MergeTemporary, ///< "NNNN.NNN": the temporary archive of a merge that never finished
    SetAside,       ///< "*.torn.NNN", "*.damaged.NNN": bytes an earlier repair kept
};

enum class Damage {
    None,
    TornTail,         ///< bytes after the last complete entry that start no entry
    NotArchiveHeader, ///< offset 12 does not hold 16
    OpenChain,        ///< bytes that are no entry, with complete entries after them
    UnreadableRecord, ///< a record (or the page of the current-day file) does not read
    Unreadable,       ///< the file cannot be opened or read at all
    LeftoverTemporary,
};

/// One file of the data set as the check found it (and, after a repair, as it left it).
struct FileCheck
{
    std::string name; ///< the name listed: the file's own name in the data directory
    std::string path;
    DataFileKind kind = DataFileKind::SetAside;
    /// The data file a temporary file was for ("daylark.fut", "1996.dlk").
    std::string temporaryFor;

    Damage damage = Damage::None;
    std::string what; ///< the damage in words; empty when there is none
    /// Pages, notes, lists or alarms that read; bytes of text of the current-day file.
    std::size_t count = 0;

    /// The damaged bytes of an archive: [damagedFrom, damagedTo); the complete entries of an
    /// open chain after them start at damagedTo.
    std::int64_t damagedFrom = 0;
    std::int64_t damagedTo = 0;

    /// After a repair: what moved where.
    std::string repaired;
    /// Why a repair failed; the file is then left as it was found.
    std::string repairFailure;

    bool damaged() const { return damage != Damage::None && repaired.empty(); }
};

/// What a check of a whole data set found, in name order.
struct DataCheckReport
{
    std::vector<FileCheck> files;
    /// The check was asked to stop before it read every file.
    bool stopped = false;

    /// Whether any file is (still) damaged.
    bool damaged() const;
    /// The names of the damaged files, in name order.
    std::vector<std::string> damagedNames() const;
};

/// Checks the files of one data set and repairs what is damaged. Nothing here needs a window:
/// `daylark-cli check` and the desktop program's start-up check both use it.
///
/// The check reads and never writes. A repair never deletes a byte: damaged bytes move into new
/// files beside the original ("<year>.torn.NNN", "<name>.damaged.NNN"), and everything that
/// still reads stays where readers find it.
class DataCheck
{
public:
    /// `dayFile` is the current-day file, which may live outside `dataDir`.
    DataCheck(std::string dataDir, std::string dayFile);

    /// Reads every data file of the set. A `stop` request ends the check between two files
    /// (the report then says it stopped). A leftover temporary file is only reported when it is
    /// still there after the other files were read: a save running meanwhile removes its own.
    DataCheckReport check(std::stop_token stop = {}) const;

    /// Repairs every damaged file of `report` (made by check() on this set, under the data
    /// directory's lock) and records in each what it did.
    void repair(DataCheckReport& report) const;

    /// One line per file: "NAME: ok (N pages)", "NAME: damaged: WHAT", "NAME: set aside",
    /// "NAME: repaired: WHAT MOVED WHERE".
    static std::string line(const FileCheck& file);

    /// The status-bar text for a report with damage (empty when the set is whole): which files
    /// are damaged and where the user guide says how to repair them.
    static std::string damageNotice(const DataCheckReport& report);

private:
    std::vector<FileCheck> listFiles() const;
    void checkFile(FileCheck& file) const;

    std::string m_dataDir;
    std::string m_dayFile;
};

/// The user guide's section on checking and repairing a data set.
inline constexpr const char* kRepairGuideSection = "Checking and repairing your data";

} // namespace daylark
