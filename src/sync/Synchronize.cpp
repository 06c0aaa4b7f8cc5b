#include "sync/Synchronize.h"

#include "alarms/CAlarmFile.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkView.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "sync/ConflictCopies.h"
#include "sync/FileOlderPage.h"
#include "sync/FileSet.h"
#include "sync/MergeAlarmFiles.h"
#include "sync/MergeDayFiles.h"
#include "sync/MergeRecordFiles.h"
#include "sync/MergeYearArchives.h"
#include "sync/SyncHistory.h"
#include "sync/SyncSide.h"

#include <filesystem>
#include <set>

namespace daylark {

namespace {

/// Whether `otherDir` is the data directory `thisDir` or a folder inside it.
bool insideDataDir(const std::string& thisDir, const std::string& otherDir)
{
    const std::string data = resolvedDirectory(thisDir);
    const std::string other = resolvedDirectory(otherDir);
    return other == data || other.starts_with(data == "/" ? data : data + "/");
}

/// One run of the synchronisation: the two directories, this folder's recorded state, the
/// conflict copies found and which of them were merged.
class SyncRun
{
public:
    SyncRun(const SyncSide& side, std::string thisDir, std::string otherDir, int lastYear)
        : m_side(side)
        , m_thisDir(std::move(thisDir))
        , m_otherDir(std::move(otherDir))
        , m_history(m_thisDir, m_otherDir, side.doc.messages())
        , m_copies(FindConflictCopies(m_otherDir, lastYear))
    {}

    /// The conflict copies of the current-day file: an older day's is filed under its date
    /// into this side's archive (through a scratch directory, as that side's change of day
    /// would file it) and what it carries joins today's page; a copy of today's day joins it.
    std::vector<std::string> takeDayCopies()
    {
        std::vector<std::string> texts;
        for (const std::string& path : CopiesOf(m_copies, FileSet::kDayFile)) {
            const std::size_t failures = messages().failuresShown();
            const auto page = ReadDayPage(path, messages());
            if (!page) {
                continue;
            }
            std::string text = page->text;
            if (localDayNumber(page->date) < localDayNumber(m_side.doc.pageDate())) {
                text = fileThroughScratch(path, page->date);
            }
            if (messages().failuresShown() == failures) {
                texts.push_back(text);
                m_merged.insert(path);
            }
        }
        return texts;
    }

    /// Merges this side's archive of `name` with each conflict copy of it (a scratch copy,
    /// so the copy is moved aside as it was found).
    void takeArchiveCopies(const std::string& name, const std::string& thisArchive)
    {
        for (const std::string& path : CopiesOf(m_copies, name)) {
            const std::size_t failures = messages().failuresShown();
            const std::string scratch = joinPath(scratchDir(), name);
            if (!copyToScratch(path, scratch)) {
                continue;
            }
            MergeYearArchives(m_side, thisArchive, scratch, nullptr, nullptr);
            if (messages().failuresShown() == failures) {
                m_merged.insert(path);
            }
        }
    }

    /// What the merge of a store knows: the recorded state and the copies of `name`.
    StoreHistory historyOf(const std::string& name) const
    {
        return {m_history.recordedPath(name), CopiesOf(m_copies, name)};
    }

    /// After the store `name` merged: its state is recorded, its copies count as merged. A
    /// merge that failed keeps the old state and the copies.
    void storeMerged(bool whole, const std::string& thisFile, const std::string& name)
    {
        if (!whole) {
            return;
        }
        m_history.record(thisFile, name, messages());
        for (const std::string& path : CopiesOf(m_copies, name)) {
            m_merged.insert(path);
        }
    }

    /// Moves every merged copy aside and forgets the scratch directory.
    void finish()
    {
        for (const ConflictCopy& copy : m_copies) {
            if (m_merged.contains(copy.path) && SetConflictCopyAside(copy.path, messages())) {
                m_side.countConflictCopyMerged();
            }
        }
        std::error_code ignored;
        std::filesystem::remove_all(scratchPath(), ignored);
    }

private:
    MessageSink& messages() const { return m_side.doc.messages(); }

    /// Where conflict copies are merged from: a folder of this side's own, never a data file.
    std::string scratchPath() const
    {
        return joinPath(joinPath(m_thisDir, SyncHistory::kStateFolder), "scratch");
    }

    std::string scratchDir() const
    {
        const std::string dir = scratchPath();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
        createDirectories(dir);
        return dir;
    }

    /// Copies a conflict copy to where it is merged from; false after a message.
    bool copyToScratch(const std::string& path, const std::string& scratch) const
    {
        const int error = copyFile(path, scratch);
        if (error != 0) {
            messages().error(
                fillMessage("Error %ld copying %s to %s", {std::to_string(error), path, scratch}));
        }
        return error == 0;
    }

    /// Files the page of the day-file copy at `path`, dated `date`, into this side's archive
    /// of its year; returns the text it carries to today.
    std::string fileThroughScratch(const std::string& path, std::int64_t date)
    {
        const std::string dir = scratchDir();
        const std::string dayFile = joinPath(dir, FileSet::kDayFile);
        if (!copyToScratch(path, dayFile)) {
            return {};
        }
        FileOlderPage(m_side, dir, dayFile);
        const std::string name = FileSet::archiveName(breakDown(date, false).year);
        MergeYearArchives(m_side, findDataFile(m_thisDir, name), joinPath(dir, name), nullptr,
                          nullptr);
        const auto carried = ReadDayPage(dayFile, messages());
        return carried ? carried->text : std::string();
    }

    const SyncSide& m_side;
    std::string m_thisDir;
    std::string m_otherDir;
    SyncHistory m_history;
    std::vector<ConflictCopy> m_copies;
    std::set<std::string> m_merged;
};

} // namespace

} // namespace daylark

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
    if (insideDataDir(*thisDir, *otherDir)) {
        side.doc.messages().error(
            "Cannot synchronise with " + *otherDir +
            ": it is the data directory or a folder inside it. Choose the other copy of the "
            "data, such as the shared folder.");
        return 0;
    }
    // This side's day is over: its page is filed first, as the clock tick would file it.
    if (side.doc.alarmSchedule() != nullptr) {
        side.doc.CheckDay();
    }
    const int lastYear = FileSet::currentYear(side.doc.clock());
    SyncRun run(side, *thisDir, *otherDir, lastYear);
    // A step per year, per store asked for, the older page, the future notes and the current day.
    const int total = (lastYear - FileSet::kFirstYear + 1) + (alarms ? 1 : 0) + (lists ? 1 : 0) + 3;
    int done = 0;
    const auto step = [&](const std::string& name) {
        side.beginStep("Merging " + name, done++, total);
    };
    side.beginStep("Filing an earlier day's page", done++, total);
    FileOlderPage(side, *otherDir, findDataFile(*otherDir, FileSet::kDayFile));
    const std::vector<std::string> dayCopies = run.takeDayCopies();
    std::string thisLast;
    std::string otherLast;
    for (int year = FileSet::kFirstYear; year <= lastYear; ++year) {
        const std::string name = FileSet::archiveName(year);
        const bool current = year == lastYear;
        step(name);
        const std::string thisArchive = findDataFile(*thisDir, name);
        run.takeArchiveCopies(name, thisArchive);
        MergeYearArchives(side, thisArchive, findDataFile(*otherDir, name),
                          current ? &thisLast : nullptr, current ? &otherLast : nullptr);
    }
    if (alarms) {
        step(FileSet::kAlarmFile);
        run.storeMerged(MergeAlarmFiles(side, side.alarms,
                                        findDataFile(*otherDir, FileSet::kAlarmFile),
                                        run.historyOf(FileSet::kAlarmFile)),
                        side.alarms.path(), FileSet::kAlarmFile);
    }
    if (lists) {
        step(FileSet::kListsFile);
        run.storeMerged(MergeListFiles(side, side.lists,
                                       findDataFile(*otherDir, FileSet::kListsFile),
                                       run.historyOf(FileSet::kListsFile)),
                        side.lists.path(), FileSet::kListsFile);
    }
    step(FileSet::kFutureFile);
    CFutureFile& notes = side.doc.futureFile();
    run.storeMerged(MergeFutureFiles(side, notes, findDataFile(*otherDir, FileSet::kFutureFile),
                                     run.historyOf(FileSet::kFutureFile)),
                    notes.path(), FileSet::kFutureFile);
    const bool dropFiled = thisLast.size() > 2 || otherLast.size() > 2;
    step(FileSet::kDayFile);
    MergeDayFiles(side, side.doc.dayFilePath(), findDataFile(*otherDir, FileSet::kDayFile),
                  dropFiled ? &thisLast : nullptr, dropFiled ? &otherLast : nullptr, dayCopies);
    run.finish();
    return 1;
}
