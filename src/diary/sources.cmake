# The diary: page archives, the document, the page view's logic, the text merge, the change of day.
target_sources(daylark_core PRIVATE
    diary/CDaylarkPage.cpp
    diary/MergeText.cpp
)
