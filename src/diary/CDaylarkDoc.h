#pragma once

#include "diary/BufferPageText.h"
#include "diary/CPageArchive.h"
#include "diary/PageFont.h"
#include "platform/Exceptions.h"
#include "platform/Locations.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace daylark {

class AlarmSchedule;
class CAlarmFile;
class CFutureFile;
class Clock;
class CRecordArchive;
class CTodoFile;
class MessageSink;
class PageText;
class Profile;
struct DisplayFlags;

/// The one document: the page of the current day, kept in the current-day file, with its
/// dates, the page font and the current year's archive.
///
/// The current-day file has two layouts. The versioned one (always written): DWORD version,
/// Time page date, DWORD flag, String text. The old one (read only): Time page date, String
/// text. A first DWORD below 1000 is a version, else it is the old layout's page date.
///
/// The page text lives behind PageText: a byte buffer of the document's own until the page
/// view attaches its control. While the user browses a past day the current day's text waits
/// in the saved today text; saving and the change of day work on that text then.
///
/// The document owns the future notes and today's alarm schedule; the alarm file, the lists
/// file and the display flags are the main window's, lent with attachStores.
class CDaylarkDoc
{
public:
    /// The messages of a failure while reading the current-day file.
    static constexpr FailureContext kReadingContext{
        "File Exception, %d, reading daylark.day file",
        "Archive Exception, %d, reading daylark.day file",
        "Memory exception reading daylark.day file"};

    static constexpr char kOpenTag = '{';
    static constexpr char kCloseTag = '}';
    /// The version a new document writes into the current-day file.
    static constexpr std::uint32_t kNewDayFileVersion = 2;
    /// A first DWORD of the current-day file from here on is the old layout's page date.
    static constexpr std::uint32_t kOldLayoutFirst = 1000;

    /// At least this long after the page date, on another local date, the day is over.
    static constexpr std::int64_t kDayOverSeconds = 2 * 3600;

    /// The writes of a change of day, in their order.
    enum class DayChangeWrite { Archive, DayFile, Lists, Alarms, FutureNotes };
    /// Whether SaveModified first announces today's alarms whose time has come (the CLI keeps
    /// no announced state between runs, so it never does).
    enum class DueAlarms { Announce, Ignore };

    enum class LoadResult {
        Missing, ///< no current-day file: not an error, the document stays as made
        Loaded,
        Damaged, ///< the file failed to read: reported, copied aside, the page left as it was
    };

    /// The current-day file as it was after the last load or save (both 0 when it did not
    /// exist), to tell whether someone else changed it since.
    struct DayFileStatus
    {
        std::int64_t modified = 0;
        std::int64_t size = 0;
        /// Finer than the second, so a rewrite within the second of a save is still noticed.
        std::int64_t modifiedNanoseconds = 0;
        bool operator==(const DayFileStatus&) const = default;
    };

    /// A new, empty document dated now.
    CDaylarkDoc(MessageSink& messages, const Clock& clock, Profile& profile);
    ~CDaylarkDoc();
    CDaylarkDoc(const CDaylarkDoc&) = delete;
    CDaylarkDoc& operator=(const CDaylarkDoc&) = delete;

    /// Names the data files: the current-day file (which the document always has, also before
    /// it exists), the data directory, the year archive of the page date and the future notes.
    void setLocations(const Locations& locations);
    const Locations& locations() const { return m_locations; }
    const std::string& dayFilePath() const { return m_locations.dayFile(); }
    /// The year archive of the page date.
    CPageArchive& pageArchive() { return m_pageArchive; }
    /// The path of the year archive that holds the day of `date`.
    std::string archivePathFor(std::int64_t date) const;

    /// Lends the stores a change of day works on and builds today's alarm schedule over the
    /// alarm file; all three must outlive the document. Needed before InitialDayCheck,
    /// CheckDay and NewDay.
    void attachStores(CAlarmFile& alarms, CTodoFile& lists, const DisplayFlags& flags);
    /// Today's alarms; null before attachStores.
    AlarmSchedule* alarmSchedule() { return m_schedule.get(); }
    /// The future notes ("daylark.fut" in the data directory).
    CFutureFile& futureFile() { return *m_future; }

    PageText& pageText() { return *m_text; }
    /// Hands the page to the page view's control, which from then on holds the text; it must
    /// outlive the document. Text, read-only switch, modified mark and font are carried over.
    void attachPageText(PageText& text);

    std::int64_t pageDate() const { return m_pageDate; }
    /// Moves the page to another day; the page archive follows the page date's year.
    void setPageDate(std::int64_t date);
    std::int64_t shownDate() const { return m_shownDate; }
    void setShownDate(std::int64_t date) { m_shownDate = date; }
    /// The view shows the page of the current day (the shown date is on the page date's day).
    bool showsToday() const;
    /// While the user browses past days: the current day's text as it was when the user left
    /// it. The change of day files and carries this text, not the past page on show.
    const std::optional<std::string>& savedTodayText() const { return m_savedTodayText; }
    /// Leaving today for a past day: keeps the page text as the saved today text, so that the
    /// page can show filed pages while saving and the change of day go on with today's text.
    void keepTodayTextWhileBrowsing();
    /// Returning to today: hands the saved today text back and forgets it; nothing when the
    /// user was not browsing.
    std::optional<std::string> takeBackTodayText();

    /// The year archive named by the year of `date`, for browsing past days: opened on first
    /// use and kept open until closeBrowsingArchives, so a walk through the days opens each
    /// year once. Null when there is no such archive or it fails to open (reported).
    CPageArchive* browsingArchiveFor(std::int64_t date);
    /// Closes every archive opened by browsingArchiveFor (the view is back on today).
    void closeBrowsingArchives() { m_browsingArchives.clear(); }
    /// How many archives browsing has open.
    std::size_t browsingArchiveCount() const { return m_browsingArchives.size(); }
    MessageSink& messages() { return m_messages; }
    const Clock& clock() const { return m_clock; }

    std::uint32_t dayFileVersion() const { return m_dayFileVersion; }
    std::uint32_t dayFileFlag() const { return m_dayFileFlag; }

    /// Changed since the last load or save: by the document or by an edit of the page text.
    bool isModified() const;
    void setModified(bool modified);

    /// Storing writes the versioned layout with flag 0 and the whole page text. Loading reads
    /// either layout (the old one leaves version and flag alone) and hands the text to the
    /// page; nothing changes unless the whole file reads. The shown date is not touched.
    void Serialize(CRecordArchive& ar);

    /// Reads the current-day file. On success the page shows the loaded day (shown date =
    /// page date) and is unmodified. A file that fails to read is first copied beside itself
    /// as "<name>.damaged.NNN" (unless a copy with the same bytes is there already), then
    /// reported in one message that names the copy; if even the copy fails, the file is never
    /// overwritten by this document (Save refuses). The day-file status is taken in every case.
    LoadResult Load();
    /// Writes the current-day file atomically (the old file stays whole until the new one is
    /// complete), creating it when missing. A failure shows "File Exception, %d, saving
    /// daylark.day" (or its archive or memory form) and returns false.
    bool Save();
    /// Every save of the page goes through here. First announces today's alarms whose time has
    /// come (unless set to DueAlarms::Ignore). Browsing a past day, or with nothing modified:
    /// true, as during a change of day (which writes the page itself). Otherwise takes up a
    /// current-day file changed on disk (CheckDayFile(true)), runs the day test (CheckDay) and
    /// saves; false when the save failed. It never asks.
    bool SaveModified();
    void setDueAlarms(DueAlarms dueAlarms) { m_dueAlarms = dueAlarms; }
    /// The clock tick's announcement of today's alarms whose time has come; false before
    /// attachStores.
    bool CheckDueAlarms();

    /// Whether the current-day file changed on disk since the last load or save (a missing
    /// file has not). Without `merge` the page is only marked modified, so that the next
    /// SaveModified takes the file up. With `merge` the file is read: flag 0 (and the old
    /// layout) merges its text into the page line by line, any other flag replaces the page's
    /// text with it; its page date is not used. A file that fails to read is reported, copied
    /// aside first (see Load), and leaves the page as it was; the answer is then false.
    bool CheckDayFile(bool merge);

    /// The day test of the clock tick: when now is at least two hours after the page date and
    /// on another local date (year, month and day compared), runs NewDay(now) and, when the
    /// page moved to the new day, marks the document modified. Returns whether it did. Does
    /// nothing during a change of day or while the change of day is held.
    bool CheckDay();
    /// A window that holds today's text or the future notes apart from the document (the day
    /// view) holds the change of day while it is open: filing under it would lose one side.
    /// CheckDay waits until every hold is released; the first check after that catches up.
    void holdDayChange() { ++m_dayChangeHolds; }
    void releaseDayChange()
    {
        if (m_dayChangeHolds > 0) {
            --m_dayChangeHolds;
        }
    }
    bool dayChangeHeld() const { return m_dayChangeHolds > 0; }
    /// The day check of start-up: the change of day when the day test says the page's day is
    /// over, else today's alarms collected with their "Today's Alarms" summary. A page dated on
    /// a later day than now (the clock was ahead when it was started) is reported first, with
    /// the question whether to move it to today; Yes moves and saves it, anything else leaves
    /// it as it is.
    void InitialDayCheck();
    /// Whether the year archive of the page date holds a page of the page date's day or of a
    /// later day (the page was filed already).
    bool HasDayOrLater();
    /// The change of day to `day`. The page is split: its open task lines are carried to the
    /// new page, followed by the future notes due by `day`; the rest, the done task lines of
    /// the lists and a line for every past Once alarm removed are filed as the page of the day
    /// that ended. The page date (and, unless the user browses a past day, the shown date)
    /// becomes `day`, and the new day's alarms are collected with their summary.
    ///
    /// Nothing is lost if the program dies on the way: everything is computed in memory first,
    /// then the page is filed, then the current-day file is written with the new day, and only
    /// then are the lists, the alarm file and the future notes saved. A later run finds the
    /// filed page (its day's last page, holding exactly what it would file now) and goes on
    /// from the current-day file. When the archive already holds the page date's day or a later
    /// one otherwise, nothing is filed, the stores are left alone and the page keeps its text.
    /// Browsing a past day, the saved today text is what is filed and carried.
    ///
    /// When the page cannot be filed (a full disk, an archive that cannot be created or
    /// written), nothing is filed, the stores are left alone, and the page keeps its text and
    /// its date, so the next day test tries again; one message says that the day could not be
    /// filed and why (the same failure again is only a notification). SaveModified does not
    /// retry meanwhile. Once alarms removed by a collection that files no page get their lines
    /// at the end of the current page. Returns whether the page moved to `day`.
    bool NewDay(std::int64_t day);
    /// Called right before each write of a change of day. Tests throw from it to stop the
    /// change there, as a crash would.
    void setBeforeWrite(std::function<void(DayChangeWrite)> hook)
    {
        m_beforeWrite = std::move(hook);
    }

    const DayFileStatus& dayFileStatus() const { return m_dayFileStatus; }
    /// Takes the day-file status from the file on disk.
    void rememberDayFileStatus();

    /// Reads the profile value Settings/Font (see PageFont) and sets it as the page font; an
    /// absent value is the default font (every field 0).
    void LoadPageFont();
    /// Writes the page font to Settings/Font.
    void SavePageFont();
    /// Makes `font` the page font and shows the page in it.
    void SetPageFont(const PageFont& font);
    const PageFont& pageFont() const { return m_pageFont; }

private:
    struct DayChange;

    void keepDamagedDayFile(const std::string& failure);
    /// The text of the current day's page: the saved today text while browsing, else the
    /// page text.
    std::string currentPageText() const;
    void setCurrentPageText(const std::string& text);
    /// The day test of CheckDay and InitialDayCheck.
    bool dayIsOver(std::int64_t now) const;
    /// The last page of the page date's year archive; null when there is none.
    std::unique_ptr<CDaylarkPage> lastFiledPage();
    void moveToDay(std::int64_t day);
    /// Files the page and starts the new one; `filedToday` is the archive's last page when it
    /// is of the page date's day. False when the page could not be filed and keeps its day.
    bool fileAndCarry(std::int64_t day, const CDaylarkPage* filedToday);
    /// Today's alarms collected with their summary; the lines of the alarms it removed go at
    /// the end of the current page.
    void collectTodaysAlarms(std::int64_t day);
    void reportFilingFailure(const std::string& failure);
    /// A box for `message`, or only a notification when the last one said the same.
    void reportDayChangeFailure(const std::string& message);
    /// The question of InitialDayCheck about a page dated on a later day than now.
    void offerToMovePageAhead();
    DayChange prepareDayChange(std::int64_t day);
    /// Saves (with `save`) or drops the stores' changes; true when they were saved.
    bool finishDayChange(DayChange& change, bool save);
    /// The mark of a change of day to `day` whose stores are not saved yet (DayChangeMark.cpp).
    std::string newDayMarkPath() const;
    /// Writes the mark; the failure's message when it cannot be written, else "".
    std::string markNewDay(std::int64_t day);
    void clearNewDayMark();
    /// Saves the stores of a marked change of day to the page date that a cut left unsaved:
    /// the lists without their done lines, the future notes without those carried.
    void finishMarkedDayChange();
    void beforeWrite(DayChangeWrite write);

    MessageSink& m_messages;
    const Clock& m_clock;
    Profile& m_profile;
    Locations m_locations;
    BufferPageText m_ownText;
    PageText* m_text = &m_ownText;
    std::int64_t m_pageDate;
    std::int64_t m_shownDate;
    CPageArchive m_pageArchive;
    PageFont m_pageFont;
    DayFileStatus m_dayFileStatus;
    std::uint32_t m_dayFileFlag = 0;
    std::uint32_t m_dayFileVersion = kNewDayFileVersion;
    bool m_modified = false;
    std::optional<std::string> m_savedTodayText;
    std::vector<std::unique_ptr<CPageArchive>> m_browsingArchives;
    /// The current-day file failed to read and could not be copied aside.
    bool m_dayFileProtected = false;
    std::unique_ptr<CFutureFile> m_future;
    CTodoFile* m_lists = nullptr;
    std::unique_ptr<AlarmSchedule> m_schedule;
    const DisplayFlags* m_flags = nullptr;
    /// The message of the last change of day that could not file its page; empty once one did.
    std::string m_filingFailure;
    DueAlarms m_dueAlarms = DueAlarms::Announce;
    bool m_changingDay = false;
    int m_dayChangeHolds = 0;
    std::function<void(DayChangeWrite)> m_beforeWrite;
};

} // namespace daylark
