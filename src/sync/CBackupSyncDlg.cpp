#include "sync/CBackupSyncDlg.h"

#include "diary/CDaylarkDoc.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"
#include "platform/Profile.h"
#include "sync/Backup.h"
#include "sync/FileSet.h"
#include "sync/SyncSide.h"
#include "sync/Synchronize.h"

namespace daylark {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kSyncDir = "SyncDir";
constexpr const char* kBackupDir = "BackupDir";
constexpr const char* kBackupAlarms = "BackupAlarms";
constexpr const char* kBackupTodos = "BackupTodos";

constexpr const char* kBackupLabel = "Backup Destination";
constexpr const char* kOtherLabel = "Other Daylark Location";

constexpr const char* kSameAsArchive = "Daylark, %s and \nBackup %s\n are the same!";
constexpr const char* kSameAsOther = "Sync file, %s and \nBackup %s\n are the same!";
constexpr const char* kNoSharedFolder =
    "Synchronising with the shared folder is set, but no folder has been synchronised with yet. "
    "Choose it once in Backup and Synchronize (Synchronize on the File menu).";

bool holdsLowerY(const std::string& value)
{
    return value.find('y') != std::string::npos;
}

/// The path a run uses for what the user gave: an existing directory means that directory
/// itself, not its parent, so it gets its '/'.
std::string pathToUse(std::string path)
{
    if (!path.empty() && path.back() != '/' && fileStatus(path).isDirectory) {
        path += '/';
    }
    return path;
}

std::string counted(int count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

/// What one run did.
struct CBackupSyncDlg::Outcome
{
    int result = 0;
    SyncTally tally;
    std::size_t failures = 0;
    /// Steps told: none when the run was refused before any work.
    int steps = 0;

    /// "DONE DIR: COUNTS" when it all went well, else "UNFINISHED DIR is incomplete (N
    /// failures): COUNTS": a failure shown during the run must not end in a word of success.
    std::string sentence(const char* done, const char* unfinished, const std::string& path,
                         const std::string& counts) const
    {
        const std::string dir = directoryOf(path);
        if (result == 1 && failures == 0) {
            return done + dir + ": " + counts;
        }
        return unfinished + dir + " is incomplete (" +
               counted(static_cast<int>(failures), "failure", "failures") + "): " + counts;
    }
};

CBackupSyncDlg::CBackupSyncDlg(Profile& profile, const SyncSide& side)
    : m_profile(profile)
    , m_side(side)
{
    m_fields.otherPath = m_profile.readString(kSection, kSyncDir, "");
    m_fields.backupPath = m_profile.readString(kSection, kBackupDir, "");
    m_backupEnabled = !m_fields.backupPath.empty();
    m_fields.alarms = holdsLowerY(m_profile.readString(kSection, kBackupAlarms, ""));
    m_fields.lists = holdsLowerY(m_profile.readString(kSection, kBackupTodos, ""));
}

std::string CBackupSyncDlg::summary() const
{
    std::string text;
    for (const std::string& sentence : m_summaries) {
        text += (text.empty() ? "" : ". ") + sentence;
    }
    return text;
}

void CBackupSyncDlg::editBackupPath(std::string path)
{
    m_fields.backupPath = std::move(path);
    m_backupEnabled = !m_fields.backupPath.empty();
}

void CBackupSyncDlg::clickAlarms(bool checked)
{
    clickOption(&Fields::alarms, checked, kBackupAlarms);
}

void CBackupSyncDlg::clickLists(bool checked)
{
    clickOption(&Fields::lists, checked, kBackupTodos);
}

void CBackupSyncDlg::clickOption(bool Fields::*option, bool checked, const char* key)
{
    m_fields.*option = checked;
    m_profile.writeString(kSection, key, checked ? "yes" : "no");
}

std::string CBackupSyncDlg::otherBrowseStart() const
{
    return m_fields.otherPath.empty() ? m_side.doc.pageArchive().fileName() : m_fields.otherPath;
}

std::string CBackupSyncDlg::backupBrowseStart() const
{
    return m_fields.backupPath.empty() ? m_side.doc.pageArchive().fileName() : m_fields.backupPath;
}

void CBackupSyncDlg::otherChosen(std::string path)
{
    m_fields.otherPath = std::move(path);
    m_profile.writeString(kSection, kSyncDir, m_fields.otherPath);
}

void CBackupSyncDlg::backupChosen(std::string path)
{
    m_fields.backupPath = std::move(path);
    m_profile.writeString(kSection, kBackupDir, m_fields.backupPath);
    m_backupEnabled = true;
}

bool CBackupSyncDlg::usable(const std::string& path, const char* label) const
{
    if (path.empty()) {
        m_side.doc.messages().error("Please give the " + std::string(label) + " first.");
        return false;
    }
    // A relative path would be taken from wherever the program was started.
    if (path.front() != '/') {
        m_side.doc.messages().error(std::string(label) + " " + path +
                                    "\n is not a full path: it must start with /.");
        return false;
    }
    return true;
}

CBackupSyncDlg::Outcome CBackupSyncDlg::run(const std::function<int(const SyncSide&)>& work)
{
    CDaylarkDoc& doc = m_side.doc;
    // Filing the page under a merge of today's files would lose one side's lines.
    struct Hold
    {
        CBackupSyncDlg& dlg;
        ~Hold()
        {
            dlg.m_running = false;
            dlg.m_side.doc.releaseDayChange();
        }
    };
    m_running = true;
    doc.holdDayChange();
    const Hold hold{*this};

    Outcome outcome;
    SyncSide side = m_side;
    side.tally = &outcome.tally;
    side.onStep = [this, &outcome](const SyncStep& step) {
        ++outcome.steps;
        if (m_listener) {
            m_listener(step);
        }
    };
    const std::size_t failuresBefore = doc.messages().failuresShown();
    outcome.result = work(side);
    outcome.failures = doc.messages().failuresShown() - failuresBefore;
    return outcome;
}

void CBackupSyncDlg::Backup()
{
    if (m_running) {
        return;
    }
    const std::string backupPath = pathToUse(m_fields.backupPath);
    const std::string otherPath = pathToUse(m_fields.otherPath);
    if (!usable(backupPath, kBackupLabel) ||
        (!otherPath.empty() && !usable(otherPath, kOtherLabel))) {
        return;
    }
    const Outcome outcome =
        run([&](const SyncSide& side) { return RunBackup(side, backupPath, otherPath); });
    if (outcome.steps > 0) {
        m_summaries.push_back(
            outcome.sentence("Backed up to ", "Backup to ", backupPath,
                             counted(outcome.tally.filesCopied, "file copied", "files copied")));
    }
    if (outcome.result != 1) {
        return;
    }
    m_profile.writeString(kSection, kBackupDir, backupPath);
    m_backupEnabled = false;
    m_synchronizeEnabled = true;
}

void CBackupSyncDlg::Synchronize()
{
    if (m_running) {
        return;
    }
    const std::string otherPath = pathToUse(m_fields.otherPath);
    if (!usable(otherPath, kOtherLabel)) {
        return;
    }
    if (!fileStatus(otherPath).exists) {
        m_side.doc.messages().error(otherPath + " does not exist");
        return;
    }
    const Outcome outcome = run([&](const SyncSide& side) {
        return RunSynchronize(side, otherPath, m_fields.alarms, m_fields.lists);
    });
    if (outcome.steps > 0) {
        m_summaries.push_back(outcome.sentence(
            "Synchronised with ", "Synchronisation with ", otherPath,
            counted(outcome.tally.pagesMerged, "page merged", "pages merged") + ", " +
                counted(outcome.tally.filesCopied, "file copied", "files copied") +
                (outcome.tally.conflictCopiesMerged > 0
                     ? ", " + counted(outcome.tally.conflictCopiesMerged, "conflict copy merged",
                                      "conflict copies merged")
                     : "")));
    }
    if (outcome.result != 1) {
        return;
    }
    m_profile.writeString(kSection, kSyncDir, otherPath);
    m_synchronizeEnabled = false;
}

void CBackupSyncDlg::BackupAndSynchronize()
{
    if (m_fields.otherPath.empty()) {
        m_side.doc.messages().error(kNoSharedFolder);
        return;
    }
    if (!m_fields.backupPath.empty()) {
        Backup();
        if (!m_synchronizeEnabled) {
            return;
        }
    }
    Synchronize();
}

int CBackupSyncDlg::RunBackup(const SyncSide& side, const std::string& backupPath,
                              const std::string& otherPath)
{
    CDaylarkDoc& doc = side.doc;
    const std::string& archivePath = doc.pageArchive().fileName();
    if (backupPath == archivePath) {
        doc.messages().error(fillMessage(kSameAsArchive, {archivePath, backupPath}));
        return 0;
    }
    if (otherPath == backupPath) {
        doc.messages().error(fillMessage(kSameAsOther, {otherPath, backupPath}));
        return 0;
    }
    doc.SaveModified();
    return daylark::Backup(side, backupPath, otherPath);
}

int CBackupSyncDlg::RunSynchronize(const SyncSide& side, const std::string& otherPath, bool alarms,
                                   bool lists)
{
    // A new data set has no current-day file before its first save: its page joins the merge.
    if (!fileStatus(side.doc.dayFilePath()).exists) {
        side.doc.Save();
    }
    if (daylark::Synchronize(side, otherPath, alarms, lists) != 1) {
        return 0;
    }
    if (side.doc.CheckDayFile(/*merge=*/false)) {
        side.doc.SaveModified();
    }
    return 1;
}

} // namespace daylark
