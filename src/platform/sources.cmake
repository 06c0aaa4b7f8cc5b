# Platform services, the only place that talks to the operating system: files, paths, the
# data directory's lock, the clocks, the profile and the settings kept in it (calendar colours,
# window placements), date and time texts.
target_sources(daylark_core PRIVATE
    platform/AtomicFile.cpp
    platform/Autostart.cpp
    platform/CalendarColours.cpp
    platform/Clock.cpp
    platform/DataDirLock.cpp
    platform/EscapeQuestion.cpp
    platform/Exceptions.cpp
    platform/File.cpp
    platform/FileCompare.cpp
    platform/FileSystem.cpp
    platform/LocalTime.cpp
    platform/Locations.cpp
    platform/MonotonicClock.cpp
    platform/Profile.cpp
    platform/TimeText.cpp
    platform/WindowPlacement.cpp
    platform/WriteFaults.cpp
)
