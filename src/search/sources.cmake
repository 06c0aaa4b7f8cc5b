# Sources of src/search.
target_sources(daylark_core PRIVATE
    search/CSearchDlg.cpp
    search/PageWalk.cpp
    search/TermMatcher.cpp
    search/TextSearch.cpp
)
