#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace daylark {

class Profile;
struct SyncSide;
struct SyncStep;

/// The backup and synchronise dialog without its widgets. It enforces an order: a backup once
/// per opening, then, after a successful backup, one synchronisation.
///
/// Back&up and Synchronize use the two paths as they stand in the edit fields, typed or chosen
/// with a Browse button. A path that names an existing directory stands for that directory
/// itself. A path that served a successful run is kept in the profile for the next opening.
///
/// While a backup or a synchronisation runs, the change of day waits, both buttons are
/// disabled and a second start is refused; each step is told to the progress listener.
class CBackupSyncDlg
{
public:
    /// The two paths and the "Alarms" and "Lists" options.
    struct Fields
    {
        std::string backupPath;
        std::string otherPath;
        bool alarms = false;
        bool lists = false;
        bool operator==(const Fields&) const = default;
    };

    /// Told each step of a run before it starts.
    using ProgressListener = std::function<void(const SyncStep& step)>;

    static constexpr const char* kTitle = "Daylark Synchronize or Backup";
    /// The file dialogs' default extension and filter.
    static constexpr const char* kDefaultExtension = "dlk";
    static constexpr const char* kFilter = "Daylark (*.dlk)||";

    /// Opening: the fields come from the profile (SyncDir, BackupDir, and the options set when
    /// BackupAlarms or BackupTodos holds a lower-case "y"); Synchronize is disabled, Back&up
    /// enabled when there is a backup path.
    CBackupSyncDlg(Profile& profile, const SyncSide& side);

    const Fields& fields() const { return m_fields; }
    bool backupEnabled() const { return m_backupEnabled && !m_running; }
    bool synchronizeEnabled() const { return m_synchronizeEnabled && !m_running; }
    /// A backup or a synchronisation is under way: the dialog's controls wait for it.
    bool running() const { return m_running; }
    /// What the runs of this opening did ("Backed up to /media/usb: 5 files copied"), one
    /// sentence a run; empty when none ran.
    std::string summary() const;

    void setProgressListener(ProgressListener listener) { m_listener = std::move(listener); }

    /// The user typed into an edit field. A backup path typed enables Back&up as &Browse does;
    /// an empty one disables it.
    void editBackupPath(std::string path);
    void editOtherPath(std::string path) { m_fields.otherPath = std::move(path); }
    /// "Alarms" or "Lists" clicked to `checked`; the option is written to the profile ("yes" or
    /// "no").
    void clickAlarms(bool checked);
    void clickLists(bool checked);

    /// The file a Browse dialog starts at: its path, else the current year's archive.
    std::string otherBrowseStart() const;
    std::string backupBrowseStart() const;
    /// B&rowse confirmed: the other path becomes `path` (written to SyncDir). A cancelled
    /// Browse calls nothing.
    void otherChosen(std::string path);
    /// &Browse confirmed: the backup path becomes `path` (written to BackupDir) and Back&up is
    /// enabled again.
    void backupChosen(std::string path);

    /// Back&up: a path that is not a full one is refused with a message; else RunBackup. When
    /// it succeeds the backup path goes to BackupDir, Back&up is disabled and Synchronize
    /// enabled. Does nothing while a run is under way.
    void Backup();
    /// &Synchronize: an other path that is not a full one, or that does not exist, is refused
    /// with a message; else RunSynchronize. When it succeeds the other path goes to SyncDir and
    /// Synchronize is disabled. Does nothing while a run is under way.
    void Synchronize();
    /// The unattended run of the setting "Synchronise with the shared folder at start, at
    /// close and after each change of day", with the paths and options as the profile keeps
    /// them: Back&up first when a backup path is set (a failed backup stops there, as the dialog
    /// offers Synchronize only after one), then &Synchronize. Without an other path it says so.
    void BackupAndSynchronize();

    /// The steps of Back&up after its button: refuses (with a message, result 0) a backup path
    /// that is the year archive itself or the other path; else saves the page when it was
    /// modified and runs Backup. The CLI's backup runs this too.
    static int RunBackup(const SyncSide& side, const std::string& backupPath,
                         const std::string& otherPath);
    /// The steps of &Synchronize after the existence check: Synchronize, and when it ran, the
    /// document takes up the rewritten current-day file (its text becomes the merged text) and
    /// saves it. The CLI's sync runs this too.
    static int RunSynchronize(const SyncSide& side, const std::string& otherPath, bool alarms,
                              bool lists);

private:
    struct Outcome;

    void clickOption(bool Fields::*option, bool checked, const char* key);
    /// Whether `path` can be used for the field `label`; false after a message saying why not.
    bool usable(const std::string& path, const char* label) const;
    /// Runs `work` over this side with the change of day held, counting what it does.
    Outcome run(const std::function<int(const SyncSide&)>& work);

    Profile& m_profile;
    const SyncSide& m_side;
    Fields m_fields;
    bool m_backupEnabled = false;
    bool m_synchronizeEnabled = false;
    bool m_running = false;
    ProgressListener m_listener;
    std::vector<std::string> m_summaries;
};

} // namespace daylark
