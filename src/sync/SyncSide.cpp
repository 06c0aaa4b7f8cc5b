#include "sync/SyncSide.h"

daylark::SyncSide::SyncSide(CDaylarkDoc& doc, CAlarmFile& alarms, CTodoFile& lists,
                            CDaylarkView* view, std::function<void(const std::string&)> beforeWrite)
    : doc(doc)
    , alarms(alarms)
    , lists(lists)
    , view(view)
    , beforeWrite(std::move(beforeWrite))
{}

void daylark::SyncSide::aboutToWrite(const std::string& path) const
{
    if (beforeWrite) {
        beforeWrite(path);
    }
}

void daylark::SyncSide::beginStep(std::string text, int done, int total) const
{
    if (onStep) {
        onStep(SyncStep{std::move(text), done, total});
    }
}

void daylark::SyncSide::countFileCopied() const
{
    if (tally != nullptr) {
        ++tally->filesCopied;
    }
}

void daylark::SyncSide::countPagesMerged(int pages) const
{
    if (tally != nullptr) {
        tally->pagesMerged += pages;
    }
}

void daylark::SyncSide::countConflictCopyMerged() const
{
    if (tally != nullptr) {
        ++tally->conflictCopiesMerged;
    }
}
