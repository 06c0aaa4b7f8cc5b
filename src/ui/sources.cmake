# Every Qt view and Qt service. A library, so the Qt Test executables link the views without main.
add_library(daylark_ui STATIC
    ui/AppIcon.cpp
    ui/BackupSyncDialogView.cpp
    ui/DialogButton.cpp
    ui/FindBar.cpp
    ui/HelpWindow.cpp
    ui/ListDialogView.cpp
    ui/MainActions.cpp
    ui/MainDialogs.cpp
    ui/MainWindow.cpp
    ui/PageEdit.cpp
    ui/PageFontConversion.cpp
    ui/PageTextMapping.cpp
    ui/QtMessageSink.cpp
    ui/SearchDialogView.cpp
    ui/SettingsView.cpp
    ui/SingleInstance.cpp
    ui/StatusPanes.cpp
    ui/StopWatchView.cpp
    ui/TaskHighlighter.cpp
    ui/TerminationSignals.cpp
    ui/ToolBarDock.cpp
    ui/ToolbarIcons.cpp
    ui/WindowGeometry.cpp
)
target_link_libraries(daylark_ui PUBLIC daylark_core Qt6::Widgets Qt6::Network)
# The user guide that F1 shows ships inside the program.
qt_add_resources(daylark_ui "help"
    PREFIX "/help"
    BASE "${PROJECT_SOURCE_DIR}/docs"
    FILES "${PROJECT_SOURCE_DIR}/docs/user-guide.md"
)

add_executable(daylark ui/main.cpp)
target_link_libraries(daylark PRIVATE daylark_ui)

install(TARGETS daylark RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${PROJECT_SOURCE_DIR}/data/daylark.desktop"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${PROJECT_SOURCE_DIR}/data/daylark.svg"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
