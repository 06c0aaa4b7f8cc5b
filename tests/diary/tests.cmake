daylark_add_core_test(diary_tests
    diary/MergeTextTest.cpp
)
