#include "sync/Synchronize.h"

#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkView.h"
#include "platform/FileSystem.h"
#include "sync/FileSet.h"
#include "sync/MergeAlarmFiles.h"
#include "sync/MergeDayFiles.h"
#include "sync/MergeRecordFiles.h"
#include "sync/MergeYearArchives.h"
#include "sync/SyncSide.h"

int daylark::Synchronize(const SyncSide& side, const std::string& otherPath, bool alarms,
                         bool lists)
{
    if (side.view != nullptr) {
        side.view->GoToToday();
    }
    const auto otherDir = directoryWithSlash(otherPath);
    const auto thisDir = directoryWithSlash(side.doc.pageArchive().fileName());
    if (!otherDir || !thisDir) {
        return 0;
    }
    const int lastYear = FileSet::currentYear(side.doc.clock());
    // A step per year, per store asked for, and the future notes and the current day.
    const int total = (lastYear - FileSet::kFirstYear + 1) + (alarms ? 1 : 0) + (lists ? 1 : 0) + 2;
    int done = 0;
    const auto step = [&](const std::string& name) {
        side.beginStep("Merging " + name, done++, total);
    };
    std::string thisLast;
    std::string otherLast;
    for (int year = FileSet::kFirstYear; year <= lastYear; ++year) {
        const std::string name = FileSet::archiveName(year);
        const bool current = year == lastYear;
        step(name);
        MergeYearArchives(side, findDataFile(*thisDir, name), findDataFile(*otherDir, name),
                          current ? &thisLast : nullptr, current ? &otherLast : nullptr);
    }
    if (alarms) {
        step(FileSet::kAlarmFile);
        MergeAlarmFiles(side, side.alarms, findDataFile(*otherDir, FileSet::kAlarmFile));
    }
    if (lists) {
        step(FileSet::kListsFile);
        MergeListFiles(side, side.lists, findDataFile(*otherDir, FileSet::kListsFile));
    }
    step(FileSet::kFutureFile);
    MergeFutureFiles(side, side.doc.futureFile(), findDataFile(*otherDir, FileSet::kFutureFile));
    const bool dropFiled = thisLast.size() > 2 || otherLast.size() > 2;
    step(FileSet::kDayFile);
    MergeDayFiles(side, side.doc.dayFilePath(), findDataFile(*otherDir, FileSet::kDayFile),
                  dropFiled ? &thisLast : nullptr, dropFiled ? &otherLast : nullptr);
    return 1;
}
