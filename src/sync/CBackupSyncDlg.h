#pragma once

#include <string>

namespace daylark {

class Profile;
struct SyncSide;

/// The backup and synchronise dialog without its widgets. It enforces an order: a backup once
/// per opening, then, after a successful backup, one synchronisation.
///
/// The dialog keeps its fields (the two paths and the two options) apart from what its four
/// controls show: the controls show the fields after opening and after each Browse, and are
/// read back into the fields only when a check box is clicked and when the dialog is closed.
/// Back&up and Synchronize use the fields, so a path typed into an edit field counts only once
/// a check box has been clicked.
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

    static constexpr const char* kTitle = "Daylark Synchronize or Backup";
    /// The file dialogs' default extension and filter.
    static constexpr const char* kDefaultExtension = "dlk";
    static constexpr const char* kFilter = "Daylark (*.dlk)||";

    /// Opening: the fields come from the profile (SyncDir, BackupDir, and the options set when
    /// BackupAlarms or BackupTodos holds a lower-case "y"); Synchronize is disabled, Back&up
    /// enabled when there is a backup path.
    CBackupSyncDlg(Profile& profile, const SyncSide& side);

    const Fields& fields() const { return m_fields; }
    /// What the four controls show.
    const Fields& controls() const { return m_controls; }
    bool backupEnabled() const { return m_backupEnabled; }
    bool synchronizeEnabled() const { return m_synchronizeEnabled; }

    /// The user typed into an edit field.
    void editBackupPath(std::string path) { m_controls.backupPath = std::move(path); }
    void editOtherPath(std::string path) { m_controls.otherPath = std::move(path); }
    /// "Alarms" or "Lists" clicked to `checked`: every control is read into the fields, and the
    /// option is written to the profile ("yes" or "no").
    void clickAlarms(bool checked);
    void clickLists(bool checked);

    /// The file a Browse dialog starts at: its path, else the current year's archive.
    std::string otherBrowseStart() const;
    std::string backupBrowseStart() const;
    /// B&rowse confirmed: the other path becomes `path` (written to SyncDir) and the controls
    /// show the fields. A cancelled Browse calls nothing.
    void otherChosen(std::string path);
    /// &Browse confirmed: the backup path becomes `path` (written to BackupDir), the controls
    /// show the fields and Back&up is enabled again.
    void backupChosen(std::string path);

    /// Back&up: RunBackup with the fields; success disables it and enables Synchronize.
    void Backup();
    /// &Synchronize: nothing when the other path does not exist; else RunSynchronize with the
    /// fields, and success disables it.
    void Synchronize();
    /// &Done: the controls are read into the fields; the dialog closes.
    void Done() { m_fields = m_controls; }

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
    void clickOption(bool Fields::*option, bool checked, const char* key);

    Profile& m_profile;
    const SyncSide& m_side;
    Fields m_fields;
    Fields m_controls;
    bool m_backupEnabled = false;
    bool m_synchronizeEnabled = false;
};

} // namespace daylark
