daylark_add_core_test(records_tests
    records/CFutureFileTest.cpp
    records/CTodoFileTest.cpp
)
