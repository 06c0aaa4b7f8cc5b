daylark_add_core_test(format_tests
    format/CRecordArchiveTest.cpp
    format/RecordFileTest.cpp
    format/Windows1252Test.cpp
)
