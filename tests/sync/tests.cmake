daylark_add_core_test(sync_tests
    sync/BackupTest.cpp
    sync/CBackupSyncDlgTest.cpp
    sync/SharedFolderTest.cpp
    sync/SyncTest.cpp
)
