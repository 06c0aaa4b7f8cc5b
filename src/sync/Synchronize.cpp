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
    std::string thisLast;
    std::string otherLast;
    for (int year = FileSet::kFirstYear; year <= lastYear; ++year) {
        const std::string name = FileSet::archiveName(year);
        const bool current = year == lastYear;
        MergeYearArchives(side, findDataFile(*thisDir, name), findDataFile(*otherDir, name),
                          current ? &thisLast : nullptr, current ? &otherLast : nullptr);
    }
    if (alarms) {
        MergeAlarmFiles(side, side.alarms, findDataFile(*otherDir, FileSet::kAlarmFile));
    }
    if (lists) {
        MergeListFiles(side, side.lists, findDataFile(*otherDir, FileSet::kListsFile));
    }
    MergeFutureFiles(side, side.doc.futureFile(), findDataFile(*otherDir, FileSet::kFutureFile));
    const bool dropFiled = thisLast.size() > 2 || otherLast.size() > 2;
    MergeDayFiles(side, side.doc.dayFilePath(), findDataFile(*otherDir, FileSet::kDayFile),
                  dropFiled ? &thisLast : nullptr, dropFiled ? &otherLast : nullptr);
    return 1;
}
