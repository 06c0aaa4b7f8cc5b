# The tools: the logic of the stop watch and of the settings dialog, the data check and the
# exports.
target_sources(daylark_core PRIVATE
    tools/CSettingsDlg.cpp
    tools/CStopWatchDlg.cpp
    tools/DataCheck.cpp
    tools/DataFileChecks.cpp
    tools/DataRepair.cpp
    tools/ExportText.cpp
    tools/IcsExport.cpp
    tools/MarkdownExport.cpp
)
