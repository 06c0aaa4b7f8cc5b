daylark_add_core_test(cli_tests
    cli/CliTestSupport.cpp
    cli/DumpTest.cpp
    cli/OptionsTest.cpp
)
target_link_libraries(cli_tests PRIVATE daylark_cli_lib)
