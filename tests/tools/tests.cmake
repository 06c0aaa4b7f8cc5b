daylark_add_core_test(tools_tests
    tools/CSettingsDlgTest.cpp
    tools/CStopWatchDlgTest.cpp
    tools/DataCheckTest.cpp
    tools/ExportTextTest.cpp
    tools/IcsExportTest.cpp
)
