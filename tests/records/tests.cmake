daylark_add_core_test(records_tests
    records/CFutureFileTest.cpp
    records/CListDlgTest.cpp
    records/CTodoFileTest.cpp
)
