#pragma once

#include <functional>
#include <string>

namespace daylark {

class CAlarmFile;
class CDaylarkDoc;
class CDaylarkView;
class CTodoFile;

/// This side of a backup or a synchronisation: the running document and the main window's
/// alarm and lists files. The document's year-archive path names the data directory and its own
/// path the current-day file; its page date is today; it holds today's alarms and the future
/// notes. The merges work on these store objects themselves, so a merge that runs while another
/// operation holds a list shares that list (see RecordFile) instead of writing under it.
struct SyncSide
{
    CDaylarkDoc& doc;
    CAlarmFile& alarms;
    CTodoFile& lists;
    /// The page view, brought back to today's page before a synchronisation; none without one.
    CDaylarkView* view = nullptr;
    /// Called with a file's path right before the file is written, replaced or removed. Tests
    /// throw from it to stop a synchronisation there, as a crash would.
    std::function<void(const std::string& path)> beforeWrite;

    void aboutToWrite(const std::string& path) const;
};

} // namespace daylark
