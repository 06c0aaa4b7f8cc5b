# Start-up and the main window's logic: the top of the core.
target_sources(daylark_core PRIVATE
    app/CMainFrame.cpp
    app/CommandLine.cpp
    app/DaylarkApp.cpp
    app/QuietRetrySink.cpp
    app/SaveAndClose.cpp
    app/Startup.cpp
    app/WindowPlacement.cpp
)
