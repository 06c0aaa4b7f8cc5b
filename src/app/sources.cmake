# The top of the core: start-up, the running application, the main window's logic and the
# window placements it keeps.
target_sources(daylark_core PRIVATE
    app/CMainFrame.cpp
    app/CommandLine.cpp
    app/DaylarkApp.cpp
    app/DesktopPresence.cpp
    app/QuietRetrySink.cpp
    app/SaveAndClose.cpp
    app/Startup.cpp
    app/TrayMenu.cpp
    platform/WindowPlacement.cpp
)
