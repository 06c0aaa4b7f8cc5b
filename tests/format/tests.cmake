daylark_add_core_test(format_tests
    format/CRecordArchiveTest.cpp
    format/RecordClassesTest.cpp
    format/RecordFileTest.cpp
)
