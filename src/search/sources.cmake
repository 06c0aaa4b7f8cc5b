# Search: the term matcher, the walk over the filed pages and the search dialog's logic.
target_sources(daylark_core PRIVATE
    search/CSearchDlg.cpp
    search/PageWalk.cpp
    search/SearchTerm.cpp
    search/TermMatcher.cpp
    search/TextSearch.cpp
    search/YearScan.cpp
)
