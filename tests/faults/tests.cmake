# Faults on purpose: every kind of write failed at each of its write calls.
daylark_add_core_test(faults_tests
    faults/WriteFaultSweepTest.cpp
)
target_link_libraries(faults_tests PRIVATE daylark_cli_lib)
