# The record stream that every data file is written in.
target_sources(daylark_core PRIVATE
    format/CObject.cpp
    format/CRecordArchive.cpp
    format/RecordFile.cpp
    format/Utf16.cpp
)
