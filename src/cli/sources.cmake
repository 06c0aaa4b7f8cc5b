# The command-line tool: a library (so tests can drive the commands) and its main.
add_library(daylark_cli_lib STATIC
    cli/CalendarCommand.cpp
    cli/CheckCommand.cpp
    cli/CliMain.cpp
    cli/CliSupport.cpp
    cli/DiaryCommands.cpp
    cli/Dump.cpp
    cli/ExportCommand.cpp
    cli/RecordCommands.cpp
    cli/SearchCommand.cpp
    cli/StderrSink.cpp
    cli/SyncCommands.cpp
)
target_link_libraries(daylark_cli_lib PUBLIC daylark_core)
set_target_properties(daylark_cli_lib daylark-cli PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
target_sources(daylark-cli PRIVATE cli/main.cpp)
install(TARGETS daylark-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
