#pragma once

#include <functional>
#include <string>

namespace daylark {

class CAlarmFile;
class CDaylarkDoc;
class CDaylarkView;
class CTodoFile;

/// One step of a backup or a synchronisation (a file copied, a year's archive merged), told
/// before it runs, so that a window can show how far the work has come.
struct SyncStep
{
    /// What the step does, for the user ("Merging 1997.dlk").
    std::string text;
    /// The steps of the run finished before this one, and all of them.
    int done = 0;
    int total = 0;
};

/// What a backup or a synchronisation did, for the summary the user sees when it ends.
struct SyncTally
{
    /// Pages that one side did not hold as they now stand (a day's pages merged into one, or a
    /// page carried to the side that lacked it), today's page included.
    int pagesMerged = 0;
    /// Whole files copied: into a backup, or to the side that lacked the file.
    int filesCopied = 0;
    /// Conflict copies of a sync engine merged and moved aside.
    int conflictCopiesMerged = 0;
};

/// This side of a backup or a synchronisation: the running document and the main window's
/// alarm and lists files. The document's year-archive path names the data directory and its own
/// path the current-day file; its page date is today; it holds today's alarms and the future
/// notes. The merges work on these store objects themselves, so a merge that runs while another
/// operation holds a list shares that list (see RecordFile) instead of writing under it.
struct SyncSide
{
    SyncSide(CDaylarkDoc& doc, CAlarmFile& alarms, CTodoFile& lists, CDaylarkView* view = nullptr,
             std::function<void(const std::string& path)> beforeWrite = {});

    CDaylarkDoc& doc;
    CAlarmFile& alarms;
    CTodoFile& lists;
    /// The page view, brought back to today's page before a synchronisation; none without one.
    CDaylarkView* view = nullptr;
    /// Called with a file's path right before the file is written, replaced or removed. Tests
    /// throw from it to stop a synchronisation there, as a crash would.
    std::function<void(const std::string& path)> beforeWrite;
    /// Told before each step; the desktop program shows it and keeps its windows painted there.
    std::function<void(const SyncStep& step)> onStep;
    /// Counts what the run does; none when nobody asks.
    SyncTally* tally = nullptr;

    void aboutToWrite(const std::string& path) const;
    void beginStep(std::string text, int done, int total) const;
    void countFileCopied() const;
    void countPagesMerged(int pages) const;
    void countConflictCopyMerged() const;
};

} // namespace daylark
