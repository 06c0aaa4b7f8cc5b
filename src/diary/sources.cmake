# The diary: page archives, the document, the page view's logic (navigation, time stamp, task
# boxes, page font), the text merge, the page split and the change of day.
target_sources(daylark_core PRIVATE
    diary/ArchiveScan.cpp
    diary/BufferPageText.cpp
    diary/CDaylarkDoc.cpp
    diary/CDaylarkPage.cpp
    diary/CDaylarkView.cpp
    diary/CPageArchive.cpp
    diary/DayChange.cpp
    diary/DayChangeMark.cpp
    diary/MergeText.cpp
    diary/PageArchiveAppend.cpp
    diary/PageFont.cpp
    diary/SplitPage.cpp
    diary/TaskBox.cpp
)
