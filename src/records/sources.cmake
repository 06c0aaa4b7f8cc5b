# Future notes and lists, and the logic of the list dialog.
target_sources(daylark_core PRIVATE
    records/CDaylarkFuture.cpp
    records/CDaylarkTodo.cpp
    records/CFutureFile.cpp
    records/CListDlg.cpp
    records/CTodoFile.cpp
)
