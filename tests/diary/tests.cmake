daylark_add_core_test(diary_tests
    diary/CDaylarkDocTest.cpp
    diary/CDaylarkViewTest.cpp
    diary/CPageArchiveTest.cpp
    diary/DayChangeTest.cpp
    diary/MergeTextTest.cpp
    diary/SplitPageTest.cpp
)
