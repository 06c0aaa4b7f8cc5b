# Start-up and the main window's logic: the top of the core.
target_sources(daylark_core PRIVATE
    app/Startup.cpp
    app/WindowPlacement.cpp
)
