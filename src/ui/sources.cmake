# Every Qt view and Qt service, grouped by window: the main window, the page editor, one folder per
# dialog, and the Qt platform services. A library, so the Qt Test executables link the views without
# main.
add_library(daylark_ui STATIC
    ui/alarms/AlarmDialogView.cpp
    ui/calendar/ArrowButton.cpp
    ui/calendar/CalendarCells.cpp
    ui/calendar/CalendarView.cpp
    ui/calendar/DayViewDialog.cpp
    ui/lists/ListDialogView.cpp
    ui/page/FindBar.cpp
    ui/page/PageEdit.cpp
    ui/page/PageFontConversion.cpp
    ui/page/PageTextMapping.cpp
    ui/page/PastDayPalette.cpp
    ui/page/TaskHighlighter.cpp
    ui/platform/AppIcon.cpp
    ui/platform/ColourRef.cpp
    ui/platform/DesktopNotifier.cpp
    ui/platform/DialogButton.cpp
    ui/platform/NoticeRouter.cpp
    ui/platform/QtMessageSink.cpp
    ui/platform/SingleInstance.cpp
    ui/platform/TerminationSignals.cpp
    ui/search/SearchDialogView.cpp
    ui/settings/ColourSwatch.cpp
    ui/settings/SettingsView.cpp
    ui/stopwatch/StopWatchView.cpp
    ui/sync/BackupSyncDialogView.cpp
    ui/sync/SharedFolderSync.cpp
    ui/sync/SyncProgress.cpp
    ui/tray/CloseToTray.cpp
    ui/tray/TrayIcon.cpp
    ui/window/DialogCommands.cpp
    ui/window/HelpWindow.cpp
    ui/window/MainActions.cpp
    ui/window/MainDialogs.cpp
    ui/window/MainWindow.cpp
    ui/window/StartupDataCheck.cpp
    ui/window/StatusPanes.cpp
    ui/window/ToolBarDock.cpp
    ui/window/ToolbarIcons.cpp
    ui/window/WindowGeometry.cpp
)
target_link_libraries(daylark_ui PUBLIC daylark_core Qt6::Widgets Qt6::Network Qt6::DBus)
# The user guide that F1 shows ships inside the program.
qt_add_resources(daylark_ui "help"
    PREFIX "/help"
    BASE "${PROJECT_SOURCE_DIR}/docs"
    FILES
        "${PROJECT_SOURCE_DIR}/docs/user-guide.md"
        "${PROJECT_SOURCE_DIR}/docs/images/alarms.png"
        "${PROJECT_SOURCE_DIR}/docs/images/backup-and-sync.png"
        "${PROJECT_SOURCE_DIR}/docs/images/calendar.png"
        "${PROJECT_SOURCE_DIR}/docs/images/day-view.png"
        "${PROJECT_SOURCE_DIR}/docs/images/lists.png"
        "${PROJECT_SOURCE_DIR}/docs/images/main-window.png"
        "${PROJECT_SOURCE_DIR}/docs/images/search.png"
        "${PROJECT_SOURCE_DIR}/docs/images/settings.png"
        "${PROJECT_SOURCE_DIR}/docs/images/stop-watch.png"
        "${PROJECT_SOURCE_DIR}/docs/images/tray-menu.png"
)

add_executable(daylark ui/main.cpp)
target_link_libraries(daylark PRIVATE daylark_ui)

install(TARGETS daylark RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${PROJECT_SOURCE_DIR}/data/daylark.desktop"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${PROJECT_SOURCE_DIR}/data/daylark.svg"
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES "${PROJECT_SOURCE_DIR}/docs/user-guide.md" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/daylark)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/docs/images" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/daylark)
