# The top of the core: start-up, the running application, the main window's logic and the
# window placements it keeps.
target_sources(daylark_core PRIVATE
    app/CMainFrame.cpp
    app/DaylarkApp.cpp
    app/Startup.cpp
    app/WindowPlacement.cpp
)
