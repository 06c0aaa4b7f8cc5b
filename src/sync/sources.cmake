# Backup, synchronisation and the logic of their dialog.
target_sources(daylark_core PRIVATE
    sync/Backup.cpp
    sync/CBackupSyncDlg.cpp
    sync/ConflictCopies.cpp
    sync/FileOlderPage.cpp
    sync/FilePairRule.cpp
    sync/FileSet.cpp
    sync/MergeAlarmFiles.cpp
    sync/MergeDayFiles.cpp
    sync/MergeRecordFiles.cpp
    sync/MergeYearArchives.cpp
    sync/SyncHistory.cpp
    sync/Synchronize.cpp
    sync/SyncSide.cpp
    sync/TextSince.cpp
)
