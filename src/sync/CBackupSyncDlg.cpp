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

constexpr const char* kSameAsArchive = "Daylark, %s and \nBackup %s\n are the same!";
constexpr const char* kSameAsOther = "Sync file, %s and \nBackup %s\n are the same!";

bool holdsLowerY(const std::string& value)
{
    return value.find('y') != std::string::npos;
}

} // namespace

CBackupSyncDlg::CBackupSyncDlg(Profile& profile, const SyncSide& side)
    : m_profile(profile)
    , m_side(side)
{
    m_fields.otherPath = m_profile.readString(kSection, kSyncDir, "");
    m_fields.backupPath = m_profile.readString(kSection, kBackupDir, "");
    m_backupEnabled = !m_fields.backupPath.empty();
    m_fields.alarms = holdsLowerY(m_profile.readString(kSection, kBackupAlarms, ""));
    m_fields.lists = holdsLowerY(m_profile.readString(kSection, kBackupTodos, ""));
    m_controls = m_fields;
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
    m_controls.*option = checked;
    m_fields = m_controls;
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
    m_controls = m_fields;
    m_profile.writeString(kSection, kSyncDir, m_fields.otherPath);
}

void CBackupSyncDlg::backupChosen(std::string path)
{
    m_fields.backupPath = std::move(path);
    m_controls = m_fields;
    m_profile.writeString(kSection, kBackupDir, m_fields.backupPath);
    m_backupEnabled = true;
}

void CBackupSyncDlg::Backup()
{
    if (RunBackup(m_side, m_fields.backupPath, m_fields.otherPath) == 1) {
        m_backupEnabled = false;
        m_synchronizeEnabled = true;
    }
}

void CBackupSyncDlg::Synchronize()
{
    if (!fileStatus(m_fields.otherPath).exists) {
        return;
    }
    if (RunSynchronize(m_side, m_fields.otherPath, m_fields.alarms, m_fields.lists) == 1) {
        m_synchronizeEnabled = false;
    }
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
    if (daylark::Synchronize(side, otherPath, alarms, lists) != 1) {
        return 0;
    }
    if (side.doc.CheckDayFile(/*merge=*/false)) {
        side.doc.SaveModified();
    }
    return 1;
}

} // namespace daylark
