# Future notes and lists.
target_sources(daylark_core PRIVATE
    records/CDaylarkFuture.cpp
    records/CDaylarkTodo.cpp
    records/CFutureFile.cpp
    records/CListDlg.cpp
    records/CTodoFile.cpp
)
