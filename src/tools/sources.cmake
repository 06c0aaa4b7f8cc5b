# Sources of src/tools.
# The tools: stop watch, settings dialog.
target_sources(daylark_core PRIVATE
    tools/CSettingsDlg.cpp
    tools/CStopWatchDlg.cpp
)
