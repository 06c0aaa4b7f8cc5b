daylark_add_core_test(diary_tests
    diary/CDaylarkDocTest.cpp
    diary/CPageArchiveTest.cpp
    diary/MergeTextTest.cpp
    diary/SplitPageTest.cpp
)
