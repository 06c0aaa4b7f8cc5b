daylark_add_core_test(search_tests
    search/CSearchDlgTest.cpp
    search/PageWalkTest.cpp
    search/TermMatcherTest.cpp
)
