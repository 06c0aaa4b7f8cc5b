daylark_add_core_test(cli_tests
    cli/CalendarCommandTest.cpp
    cli/CheckCommandTest.cpp
    cli/CliSupportTest.cpp
    cli/DiaryCommandsTest.cpp
    cli/DumpTest.cpp
    cli/OptionsTest.cpp
    cli/RecordCommandsTest.cpp
    cli/SearchCommandTest.cpp
    cli/SyncCommandsTest.cpp
)
target_link_libraries(cli_tests PRIVATE daylark_cli_lib)
