# Faults on purpose: every kind of write failed at each of its write calls.
daylark_add_core_test(faults_tests
    faults/WriteFaultSweepTest.cpp
)
target_link_libraries(faults_tests PRIVATE daylark_cli_lib)

# Kill sweeps: a real daylark-cli ends itself at each of its write calls in turn. Release only:
# the sweep runs hundreds of processes.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
    add_executable(daylark-cli-killed faults/KillAtWriteMain.cpp)
    target_link_libraries(daylark-cli-killed PRIVATE daylark_cli_lib)
    set_target_properties(daylark-cli-killed PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    daylark_add_core_test(kill_sweep_tests faults/KillSweepTest.cpp)
    target_compile_definitions(kill_sweep_tests PRIVATE
        DAYLARK_CLI="$<TARGET_FILE:daylark-cli>"
        DAYLARK_KILLED_CLI="$<TARGET_FILE:daylark-cli-killed>")
    add_dependencies(kill_sweep_tests daylark-cli daylark-cli-killed)
endif()
