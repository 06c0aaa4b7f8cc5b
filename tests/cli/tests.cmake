daylark_add_core_test(cli_tests
    cli/CalendarCommandTest.cpp
    cli/CheckCommandTest.cpp
    cli/CliSupportTest.cpp
    cli/DiaryCommandsTest.cpp
    cli/DumpTest.cpp
    cli/ExportCommandTest.cpp
    cli/OptionsTest.cpp
    cli/RecordCommandsTest.cpp
    cli/SearchCommandTest.cpp
    cli/SyncCommandsTest.cpp
)
target_link_libraries(cli_tests PRIVATE daylark_cli_lib)

# The exports read back by independent libraries (Python's icalendar and dateutil), with the
# distribution's interpreter, which is the one that has them.
find_program(DAYLARK_SYSTEM_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(DAYLARK_SYSTEM_PYTHON3 NAMES python3)
add_test(NAME ExportReadByIndependentLibraries
    COMMAND ${DAYLARK_SYSTEM_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/cli/export_check.py
        $<TARGET_FILE:daylark-cli>)
