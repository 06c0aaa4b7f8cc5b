# The record stream that every data file is written in, the whole-list record files (future
# notes, lists, alarms) built on it, and the spellings of stored text.
target_sources(daylark_core PRIVATE
    format/CObject.cpp
    format/CRecordArchive.cpp
    format/RecordFile.cpp
    format/Utf16.cpp
    format/Windows1252.cpp
)
