// The change of day of CDaylarkDoc: the day test, filing the page of the day that ended and
// starting the new one.

#include "alarms/AlarmSchedule.h"
#include "diary/CDaylarkDoc.h"
#include "diary/SplitPage.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "platform/TimeText.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <utility>
#include <vector>

namespace daylark {

/// Everything a change of day files, carries and keeps, computed before anything is written.
/// The lists, the alarm file and the future notes stay loaded, unchanged, until
/// finishDayChange saves the changes below or drops them.
struct CDaylarkDoc::DayChange
{
    std::string carry;      ///< the new day's page
    std::string archived;   ///< the page filed for the day that ended
    std::string alarmLines; ///< the lines of the removed alarms (also the end of `archived`)
    /// Each list's contents without its done task lines.
    std::vector<std::pair<CDaylarkTodo*, std::string>> lists;
    /// The notes that moved onto the new page.
    std::vector<const CDaylarkFuture*> dueNotes;
};

namespace {

/// Marks a change of day in progress, also when it is left by an exception.
class ChangingDay
{
public:
    explicit ChangingDay(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~ChangingDay() { m_flag = false; }
    ChangingDay(const ChangingDay&) = delete;
    ChangingDay& operator=(const ChangingDay&) = delete;

private:
    bool& m_flag;
};

constexpr std::string_view kLineBreak = "\r\r\n";

/// Whether `filed` is the page `archived` as a change of day cut short after filing filed it:
/// the same text, or with the lines of once alarms at its end that the collection after the
/// cut took out of the alarm file (their lines are on the filed page already).
bool filesTheSame(const std::string& filed, const std::string& archived)
{
    if (!filed.starts_with(archived)) {
        return false;
    }
    std::string_view rest(filed);
    rest.remove_prefix(archived.size());
    while (!rest.empty()) {
        if (!rest.starts_with(kLineBreak)) {
            return false;
        }
        rest.remove_prefix(kLineBreak.size());
        const std::string_view line = rest.substr(0, rest.find(kLineBreak));
        if (!line.starts_with("Alarm, ") || !line.ends_with(", removed")) {
            return false;
        }
        rest.remove_prefix(line.size());
    }
    return true;
}

} // namespace

bool CDaylarkDoc::dayIsOver(std::int64_t now) const
{
    // The whole date is compared: a page of 3 March must move on when the program next runs
    // on 3 April.
    return now - m_pageDate >= kDayOverSeconds && !sameLocalDay(now, m_pageDate);
}

bool CDaylarkDoc::CheckDay()
{
    const std::int64_t now = m_clock.now();
    if (m_changingDay || dayChangeHeld() || !dayIsOver(now) || !NewDay(now)) {
        return false;
    }
    setModified(true);
    return true;
}

void CDaylarkDoc::InitialDayCheck()
{
    assert(m_schedule && "attachStores comes before the day check");
    finishMarkedDayChange();
    offerToMovePageAhead();
    if (!CheckDay()) {
        collectTodaysAlarms(m_clock.now());
    }
}

void CDaylarkDoc::offerToMovePageAhead()
{
    const std::int64_t now = m_clock.now();
    // A page dated on a later day than now was started while the clock was ahead: no day is
    // over for it until that date, so every day until then would be written onto this page.
    if (localDayNumber(m_pageDate) <= localDayNumber(now)) {
        return;
    }
    const std::string question =
        "Today's page is dated " + FormatDate(m_pageDate, /*withTime=*/false, *m_flags) +
        ", later than the clock's time, " + FormatDate(now, /*withTime=*/true, *m_flags) +
        ": the clock was ahead when it was started. Until that date the day does not change "
        "and nothing is filed.\n\nMove the page to today?";
    if (m_messages.ask(question, MessageSink::kCaption, MessageIcon::Information,
                       MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    moveToDay(now);
    setModified(true);
    Save();
}

std::unique_ptr<CDaylarkPage> CDaylarkDoc::lastFiledPage()
{
    std::unique_ptr<CDaylarkPage> page;
    CPageArchive archive(archivePathFor(m_pageDate), m_messages, m_clock);
    if (archive.Open(/*loading=*/true, /*create=*/false) != 0) {
        return page;
    }
    archive.FindPage(page, m_pageDate, /*fromEnd=*/true, /*backward=*/true, /*takeAny=*/true);
    archive.Close();
    return page;
}

bool CDaylarkDoc::HasDayOrLater()
{
    const auto last = lastFiledPage();
    return last && localDayNumber(last->Date) >= localDayNumber(m_pageDate);
}

bool CDaylarkDoc::NewDay(std::int64_t day)
{
    assert(m_schedule && m_lists && "attachStores comes before a change of day");
    if (m_changingDay) {
        return false;
    }
    const ChangingDay changing(m_changingDay);
    finishMarkedDayChange();
    const auto last = lastFiledPage();
    const long lastDay = last ? localDayNumber(last->Date) : LONG_MIN;
    const long pageDay = localDayNumber(m_pageDate);
    // An archive that holds a later day: the page was filed already and keeps its text.
    bool moves = true;
    if (lastDay < pageDay) {
        moves = fileAndCarry(day, nullptr);
    } else if (lastDay == pageDay) {
        moves = fileAndCarry(day, last.get());
    }
    if (moves) {
        moveToDay(day);
    }
    collectTodaysAlarms(day);
    return moves;
}

void CDaylarkDoc::collectTodaysAlarms(std::int64_t day)
{
    m_schedule->CollectTodaysAlarms(day, /*show=*/true);
    // Alarms removed outside a change of day that files a page are reported on the current
    // page, which is filed with its day in turn: no alarm leaves without a line.
    std::string removed;
    m_schedule->AppendRemovedAlarms(removed);
    if (removed.empty()) {
        return;
    }
    // A change of day cut short after filing (a crash, a failed save) left its alarms in the
    // file: their lines went with the filed page already.
    const auto filed = lastFiledPage();
    std::string lines;
    for (std::size_t start = 0; start < removed.size();) {
        const std::size_t next =
            std::min(removed.find(kLineBreak, start + kLineBreak.size()), removed.size());
        const std::string_view line(removed.data() + start, next - start);
        if (!filed || filed->Text.find(line) == std::string::npos) {
            lines += line;
        }
        start = next;
    }
    if (lines.empty()) {
        return;
    }
    if (m_savedTodayText) {
        *m_savedTodayText += lines;
        m_modified = true;
        return;
    }
    m_text->appendText(lines);
}

void CDaylarkDoc::reportFilingFailure(const std::string& failure)
{
    reportDayChangeFailure(
        "The page of " + FormatDate(m_pageDate, /*withTime=*/false, *m_flags) +
        " could not be filed in " + m_pageArchive.fileName() + ":\n" + failure +
        "\n\nThe page stays on its day with its text; filing it is tried again at the next "
        "clock tick and at the next start.");
}

void CDaylarkDoc::reportDayChangeFailure(const std::string& message)
{
    // Tried again every tick, the same failure is not a new box each time.
    if (message == m_filingFailure) {
        m_messages.notify(message, MessageSink::kCaption);
        return;
    }
    m_filingFailure = message;
    m_messages.error(message);
}

void CDaylarkDoc::moveToDay(std::int64_t day)
{
    setPageDate(day);
    // Browsing a past day, the user stays there; the new page waits in the saved today text.
    if (!m_savedTodayText) {
        m_shownDate = day;
    }
}

bool CDaylarkDoc::fileAndCarry(std::int64_t day, const CDaylarkPage* filedToday)
{
    DayChange change = prepareDayChange(day);
    // The page date's own day last in the archive, holding this page: a change of day cut short
    // after filing, which goes on from the current-day file.
    bool filed = filedToday != nullptr && filesTheSame(filedToday->Text, change.archived);
    if (filedToday == nullptr) {
        beforeWrite(DayChangeWrite::Archive);
        CDaylarkPage page;
        page.Date = m_pageDate;
        page.Text = change.archived;
        std::string failure;
        filed = m_pageArchive.AppendPage(page, &failure) > 0;
        if (!filed) {
            // The page keeps its date: re-dated, it would be filed under the wrong day and its
            // own day would never reach the archive. The removed alarms' lines come onto it
            // with the collection that follows.
            finishDayChange(change, /*save=*/false);
            reportFilingFailure(failure);
            return false;
        }
        m_filingFailure.clear();
    }
    if (!filed) {
        finishDayChange(change, /*save=*/false);
        return true;
    }
    // Until the new page is on disk, the stores keep what a rerun needs to file it again; from
    // then on until they are saved, the mark lets a rerun finish them. Without the mark the page
    // stays on its day, and the next tick or start goes on from the filed page.
    if (const std::string failure = markNewDay(day); !failure.empty()) {
        finishDayChange(change, /*save=*/false);
        reportDayChangeFailure(
            "The page of " + FormatDate(m_pageDate, /*withTime=*/false, *m_flags) +
            " is filed, but the change of day could not be finished:\n" + failure +
            "\n\nThe page stays on its day with its text; the change of day "
            "is tried again at the next clock tick and at the next start.");
        return false;
    }
    m_filingFailure.clear();
    moveToDay(day);
    setCurrentPageText(change.carry);
    beforeWrite(DayChangeWrite::DayFile);
    // A new page that is not saved stays marked: the stores are finished once it is.
    const bool saved = Save();
    if (finishDayChange(change, saved)) {
        clearNewDayMark();
    }
    return true;
}

CDaylarkDoc::DayChange CDaylarkDoc::prepareDayChange(std::int64_t day)
{
    DayChange change;
    std::string done;
    SplitPage(currentPageText(), change.carry, change.archived, done, /*keepDone=*/true,
              {kOpenTag, kCloseTag});

    m_lists->Load();
    for (const auto& list : m_lists->records()) {
        change.lists.emplace_back(
            list.get(), SplitList(list->Contents, change.archived, {kOpenTag, kCloseTag}));
    }

    m_schedule->PrepareNewDay(day);
    m_schedule->AppendRemovedAlarms(change.alarmLines);
    change.archived += change.alarmLines;

    // Due: on the new day's date or earlier, so notes of days the program did not run come too.
    m_future->Load();
    const long newDay = localDayNumber(day);
    for (const auto& note : m_future->records()) {
        if (localDayNumber(note->Date) <= newDay) {
            change.carry += kLineBreak;
            change.carry += note->Text;
            change.dueNotes.push_back(note.get());
        }
    }
    return change;
}

bool CDaylarkDoc::finishDayChange(DayChange& change, bool save)
{
    int failed = 0;
    if (save) {
        beforeWrite(DayChangeWrite::Lists);
        for (auto& [list, contents] : change.lists) {
            list->Contents = std::move(contents);
        }
        if (!change.lists.empty()) {
            failed += m_lists->Save();
        }
    }
    m_lists->Empty();

    if (save) {
        beforeWrite(DayChangeWrite::Alarms);
    }
    m_schedule->FinishNewDay(save ? AlarmSchedule::Removal::Save : AlarmSchedule::Removal::Drop);

    if (save) {
        beforeWrite(DayChangeWrite::FutureNotes);
        for (const CDaylarkFuture* note : change.dueNotes) {
            m_future->RemoveNote(note);
            m_future->setChanged(true);
        }
        if (m_future->changed()) {
            failed += m_future->Save();
        }
    }
    m_future->Empty();
    return save && failed == 0;
}

void CDaylarkDoc::beforeWrite(DayChangeWrite write)
{
    if (m_beforeWrite) {
        m_beforeWrite(write);
    }
}

} // namespace daylark
