#include "calendar/CDayViewDlg.h"

#include "alarms/CAlarmFile.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkView.h"
#include "diary/PageText.h"
#include "platform/ByteFile.h"
#include "platform/DisplayFlags.h"
#include "platform/Exceptions.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/Profile.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "support/DataSetTestFiles.h"
#include "support/FixedClock.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

namespace daylark::test {
namespace {

using Kind = CDayViewDlg::DayKind;

const std::string kToday = "Morning\r\n{} Call Bob";

/// Reads through to the file; every write fails as a full disk would.
struct FullDisk : ByteFile
{
    explicit FullDisk(ByteFile& file)
        : inner(file)
    {}
    std::size_t read(void* buffer, std::size_t size) override { return inner.read(buffer, size); }
    void write(const void*, std::size_t) override { throw CFileException(13, ENOSPC); }
    std::int64_t seek(std::int64_t offset, SeekFrom from) override
    {
        return inner.seek(offset, from);
    }
    std::int64_t position() override { return inner.position(); }
    std::int64_t length() override { return inner.length(); }

    ByteFile& inner;
};

class DayViewTest : public ::testing::Test
{
protected:
    DayViewTest()
    {
        doc.setLocations(at);
        doc.attachStores(alarms, lists, flags);
    }

    /// The page of `date` is the current one, shown and unmodified.
    void startDay(std::int64_t date, const std::string& text = kToday)
    {
        doc.setPageDate(date);
        doc.setShownDate(date);
        doc.pageText().setText(text);
        doc.pageText().setModified(false);
    }

    static void expectShown(const CDayViewDlg& dlg, const std::string& title, Kind kind,
                            const std::string& text)
    {
        EXPECT_EQ(dlg.title(), title);
        EXPECT_EQ(dlg.kind(), kind);
        EXPECT_EQ(dlg.text(), text);
        EXPECT_EQ(dlg.readOnly(), kind == Kind::Past);
        EXPECT_FALSE(dlg.textModified());
    }

    void expectClosed()
    {
        EXPECT_FALSE(dlg.isOpen());
        EXPECT_EQ(dlg.openArchiveCount(), 0u);
        EXPECT_TRUE(doc.futureFile().records().empty());
        EXPECT_FALSE(doc.dayChangeHeld());
    }

    ScopedTimeZone zone{kEastern};
    TempDir dir;
    RecordingSink sink;
    FixedClock clock{makeLocalTime(1997, 3, 3, 10)};
    Profile profile{dir.file("daylark.ini"), sink};
    Locations at = Locations::resolve({dir.path(), {}, {}}, [](const char*) { return nullptr; });
    DisplayFlags flags;
    CAlarmFile alarms{at.alarmPath(), sink};
    CTodoFile lists{at.listsPath(), sink};
    CDaylarkDoc doc{sink, clock, profile};
    CDaylarkView view{doc, flags};
    CDayViewDlg dlg{doc, view, flags};
};

TEST_F(DayViewTest, PastDaysShowTheirFiledPageReadOnlyFromTheArchiveNamedByTheirYear)
{
    // Both archives were created in the new year: the page of 31 December was filed after
    // midnight, so the name, not the header, tells the year.
    clock.time = makeLocalTime(1998, 1, 1, 1);
    filePages(at.archivePath(1997), {{"1997-12-30", "Tue"}, {"1997-12-31", "Wed"}}, clock);
    clock.time = makeLocalTime(1998, 1, 2, 1);
    filePages(at.archivePath(1998), {{"1998-01-01", "Thu"}}, clock);
    clock.time = makeLocalTime(1998, 1, 3, 9);
    startDay(makeLocalTime(1998, 1, 3, 8), "Sat");
    // The main window browses a past day: the day view first brings it back to today.
    view.BackwardDay();
    view.BackwardDay();

    dlg.Open(makeLocalTime(1998, 1, 2, 15));
    EXPECT_EQ(dlg.day(), makeLocalTime(1998, 1, 2));
    expectShown(dlg, "Friday, January 2, 1998", Kind::Past, "");
    EXPECT_FALSE(view.showsPastDay());
    EXPECT_EQ(doc.pageText().text(), "Sat");

    struct Step
    {
        void (CDayViewDlg::*action)();
        const char* title;
        Kind kind;
        const char* text;
        std::size_t archives;
    };
    const Step steps[] = {
        {&CDayViewDlg::Back, "Thursday, January 1, 1998", Kind::Past, "Thu", 1},
        {&CDayViewDlg::Back, "Wednesday, December 31, 1997", Kind::Past, "Wed", 2},
        {&CDayViewDlg::Back, "Tuesday, December 30, 1997", Kind::Past, "Tue", 2},
        {&CDayViewDlg::Back, "Monday, December 29, 1997", Kind::Past, "", 2},
        {&CDayViewDlg::Forward, "Tuesday, December 30, 1997", Kind::Past, "Tue", 2},
        {&CDayViewDlg::Forward, "Wednesday, December 31, 1997", Kind::Past, "Wed", 2},
        {&CDayViewDlg::Forward, "Thursday, January 1, 1998", Kind::Past, "Thu", 2},
        {&CDayViewDlg::Forward, "Friday, January 2, 1998", Kind::Past, "", 2},
        {&CDayViewDlg::Forward, "Saturday, January 3, 1998", Kind::Today, "Sat", 2},
        {&CDayViewDlg::Back, "Friday, January 2, 1998", Kind::Past, "", 2},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.title);
        // A read-only day takes no edit, and nothing of it is committed by the step.
        if (dlg.readOnly()) {
            const std::string shown = dlg.text();
            dlg.EditText("typed");
            EXPECT_EQ(dlg.text(), shown);
            EXPECT_FALSE(dlg.textModified());
        }
        (dlg.*step.action)();
        expectShown(dlg, step.title, step.kind, step.text);
        EXPECT_EQ(dlg.openArchiveCount(), step.archives);
    }
    EXPECT_TRUE(dlg.Ok());
    expectClosed();
    EXPECT_EQ(doc.pageText().text(), "Sat");
    EXPECT_FALSE(doc.pageText().modified());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DayViewTest, TodaysPageIsReplacedOnCommitAndLeftAloneByEscape)
{
    struct Case
    {
        const char* what;
        std::function<void(CDayViewDlg&)> close;
        std::string page;
        bool modified;
    };
    const std::string edited = "Morning\r\n{x} Call Bob\r\nLunch";
    const Case cases[] = {
        {"OK", [](CDayViewDlg& d) { EXPECT_TRUE(d.Ok()); }, edited, true},
        {"Escape", [](CDayViewDlg& d) { d.Cancel(); }, kToday, false},
        {"step away, then Escape",
         [](CDayViewDlg& d) {
             d.Forward();
             d.Cancel();
         },
         edited, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startDay(makeLocalTime(1997, 3, 3, 9));
        dlg.Open(makeLocalTime(1997, 3, 3));
        expectShown(dlg, "Monday, March 3, 1997", Kind::Today, kToday);
        dlg.EditText(edited);
        EXPECT_TRUE(dlg.textModified());
        EXPECT_EQ(doc.pageText().text(), kToday);
        c.close(dlg);
        expectClosed();
        EXPECT_EQ(doc.pageText().text(), c.page);
        EXPECT_EQ(doc.pageText().modified(), c.modified);
    }
}

TEST_F(DayViewTest, FutureNotesAreAddedChangedAndRemovedAndSavedOnlyByOkWhenChanged)
{
    saveRecords<CFutureFile>(at.futurePath(), note("1997-03-05", "Vet"),
                             note("1997-03-07", "Call Mum"), note("1997-04-01", "April fool"));
    const std::vector<std::string> before = {"1997-03-05 Vet", "1997-03-07 Call Mum",
                                             "1997-04-01 April fool"};
    startDay(makeLocalTime(1997, 3, 3, 9));

    struct Case
    {
        const char* what;
        bool edit;
        bool ok;
        std::vector<std::string> after;
        bool rewritten;
    };
    const Case cases[] = {
        {"edits kept by OK",
         true,
         true,
         {"1997-03-04 Pay rent", "1997-03-05 Vet at 10", "1997-04-01 April fool"},
         true},
        {"edits dropped by Escape", true, false, before, false},
        {"no edit: OK leaves the file alone", false, true, before, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ino_t file = inodeOf(at.futurePath());
        doc.futureFile().setChanged(true); // left over from an earlier change of day
        dlg.Open(makeLocalTime(1997, 3, 4));
        expectShown(dlg, "Tuesday, March 4, 1997", Kind::Future, "");
        if (c.edit) {
            dlg.EditText("Pay rent");
        }
        dlg.Forward();
        expectShown(dlg, "Wednesday, March 5, 1997", Kind::Future, "Vet");
        dlg.Back();
        expectShown(dlg, "Tuesday, March 4, 1997", Kind::Future, c.edit ? "Pay rent" : "");
        dlg.Forward();
        if (c.edit) {
            dlg.EditText("Vet at 10");
        }
        dlg.Forward();
        dlg.Forward();
        expectShown(dlg, "Friday, March 7, 1997", Kind::Future, "Call Mum");
        if (c.edit) {
            // An empty note for a day without one adds nothing; emptying a note removes it.
            dlg.Back();
            dlg.EditText("");
            dlg.Forward();
            dlg.EditText("");
        }
        EXPECT_FALSE(dlg.readOnly());
        if (c.ok) {
            EXPECT_TRUE(dlg.Ok());
        } else {
            dlg.Cancel();
        }
        expectClosed();
        EXPECT_EQ(recordsOf<CFutureFile>(at.futurePath()), c.after);
        EXPECT_EQ(inodeOf(at.futurePath()) != file, c.rewritten);
        saveRecords<CFutureFile>(at.futurePath(), note("1997-03-05", "Vet"),
                                 note("1997-03-07", "Call Mum"), note("1997-04-01", "April fool"));
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DayViewTest, EscapeAsksOnlyWhenATypedTextWouldBeLostAndDoesWhatTheAnswerSays)
{
    using Answer = MessageAnswer;
    struct Case
    {
        const char* what;
        std::function<void(CDayViewDlg&)> edit;
        std::vector<Answer> answers; // one a question expected
        bool closed;
        bool noteKept;
    };
    const auto typeNote = [](CDayViewDlg& d) { d.EditText("Pay rent"); };
    const auto typeAndStep = [](CDayViewDlg& d) {
        d.EditText("Pay rent");
        d.Forward();
    };
    const Case cases[] = {
        {"nothing typed", [](CDayViewDlg&) {}, {}, true, false},
        {"stepped over a note", [](CDayViewDlg& d) { d.Forward(); }, {}, true, false},
        {"Yes", typeNote, {Answer::Yes}, true, true},
        {"No", typeNote, {Answer::No}, true, false},
        {"Cancel, then OK", typeNote, {Answer::Cancel}, false, true},
        {"a note committed by a step, No", typeAndStep, {Answer::No}, true, false},
        {"a note committed by a step, Yes", typeAndStep, {Answer::Yes}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        saveRecords<CFutureFile>(at.futurePath(), note("1997-03-05", "Vet"));
        startDay(makeLocalTime(1997, 3, 3, 9));
        sink.clear();
        sink.answers.assign(c.answers.begin(), c.answers.end());
        dlg.Open(makeLocalTime(1997, 3, 4));
        c.edit(dlg);
        EXPECT_EQ(dlg.Escape(), c.closed);
        ASSERT_EQ(sink.messages.size(), c.answers.size());
        for (const auto& message : sink.messages) {
            EXPECT_EQ(message.text, "Keep your changes?");
            EXPECT_EQ(message.buttons, MessageButtons::YesNoCancel);
        }
        if (!c.closed) {
            // Back in the dialog, the typed text still there for OK to keep.
            EXPECT_TRUE(dlg.isOpen());
            EXPECT_TRUE(dlg.textModified());
            EXPECT_EQ(dlg.text(), "Pay rent");
            EXPECT_TRUE(dlg.Ok());
        }
        expectClosed();
        std::vector<std::string> notes = {"1997-03-05 Vet"};
        if (c.noteKept) {
            notes.insert(notes.begin(), "1997-03-04 Pay rent");
        }
        EXPECT_EQ(recordsOf<CFutureFile>(at.futurePath()), notes);
    }
}

TEST_F(DayViewTest, AFailedSaveKeepsTheDialogOpenWithItsNotes)
{
    startDay(makeLocalTime(1997, 3, 3, 9));
    doc.futureFile().setDeviceFilter(
        [](ByteFile& file) { return std::make_unique<FullDisk>(file); });
    dlg.Open(makeLocalTime(1997, 3, 4));
    dlg.EditText("Pay rent");
    EXPECT_FALSE(dlg.Ok());
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_TRUE(dlg.isOpen());
    EXPECT_TRUE(doc.dayChangeHeld());
    expectShown(dlg, "Tuesday, March 4, 1997", Kind::Future, "Pay rent");

    doc.futureFile().setDeviceFilter(nullptr);
    EXPECT_TRUE(dlg.Ok());
    expectClosed();
    EXPECT_EQ(recordsOf<CFutureFile>(at.futurePath()),
              std::vector<std::string>{"1997-03-04 Pay rent"});
}

TEST_F(DayViewTest, StepsAreLocalCalendarDaysAcrossSummerTimeChanges)
{
    startDay(makeLocalTime(1997, 3, 3, 9));
    saveRecords<CFutureFile>(at.futurePath(), note("1997-04-06", "Clocks forward"),
                             note("1997-10-26", "Clocks back"));
    struct Walk
    {
        int month, firstDay;
        const char* days[3];
        const char* note;
    };
    // Summer time starts on Sunday 6 April 1997 and ends on Sunday 26 October 1997.
    const Walk walks[] = {
        {4,
         5,
         {"Saturday, April 5, 1997", "Sunday, April 6, 1997", "Monday, April 7, 1997"},
         "Clocks forward"},
        {10,
         25,
         {"Saturday, October 25, 1997", "Sunday, October 26, 1997", "Monday, October 27, 1997"},
         "Clocks back"},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.note);
        dlg.Open(makeLocalTime(1997, walk.month, walk.firstDay, 23, 30));
        for (int i = 0; i < 5; ++i) {
            const int shown = i < 3 ? i : 4 - i;
            SCOPED_TRACE(shown);
            if (i > 0) {
                i < 3 ? dlg.Forward() : dlg.Back();
            }
            EXPECT_EQ(dlg.day(), makeLocalTime(1997, walk.month, walk.firstDay + shown));
            expectShown(dlg, walk.days[shown], Kind::Future, shown == 1 ? walk.note : "");
        }
        dlg.Cancel();
    }
}

TEST_F(DayViewTest, StepsStopWhereTheFilesCanNoLongerStoreTheDay)
{
    startDay(makeLocalTime(1997, 3, 3, 9));
    // Times are stored as signed 32-bit seconds: 13 December 1901 to 19 January 2038 (UTC).
    dlg.Open(makeLocalTime(2038, 1, 16));
    EXPECT_TRUE(dlg.canStepForward());
    dlg.Forward();
    EXPECT_EQ(dlg.title(), "Sunday, January 17, 2038");
    EXPECT_FALSE(dlg.canStepForward());
    dlg.Forward();
    EXPECT_EQ(dlg.day(), makeLocalTime(2038, 1, 17));
    dlg.Cancel();
    EXPECT_FALSE(dlg.canStepBack());

    dlg.Open(makeLocalTime(1901, 12, 15));
    EXPECT_TRUE(dlg.canStepBack());
    dlg.Back();
    EXPECT_FALSE(dlg.canStepBack());
    dlg.Back();
    EXPECT_EQ(dlg.day(), makeLocalTime(1901, 12, 14));
    EXPECT_TRUE(dlg.canStepForward());
    dlg.Cancel();
}

TEST_F(DayViewTest, AChangeOfDayDueWhileItIsOpenWaitsForItToClose)
{
    struct Case
    {
        const char* what;
        std::function<void(std::unique_ptr<CDayViewDlg>&)> close;
        std::string newPage;
    };
    const Case cases[] = {
        {"OK", [](auto& d) { EXPECT_TRUE(d->Ok()); }, "{} Call Bob\r\r\nPay rent"},
        {"Escape", [](auto& d) { d->Cancel(); }, "{} Call Bob"},
        {"dialog gone", [](auto& d) { d.reset(); }, "{} Call Bob"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::int64_t monday = makeLocalTime(1997, 3, 3, 9);
        startDay(monday);
        clock.time = makeLocalTime(1997, 3, 3, 23);
        auto day = std::make_unique<CDayViewDlg>(doc, view, flags);
        day->Open(monday);
        day->Forward();
        // Tuesday is the page's next day, a note, also once the clock has passed midnight.
        clock.time = makeLocalTime(1997, 3, 4, 8);
        EXPECT_FALSE(doc.CheckDay());
        expectShown(*day, "Tuesday, March 4, 1997", Kind::Future, "");
        day->EditText("Pay rent");
        day->Back();
        expectShown(*day, "Monday, March 3, 1997", Kind::Today, kToday);
        EXPECT_FALSE(doc.CheckDay());
        EXPECT_EQ(doc.pageDate(), monday);

        c.close(day);
        EXPECT_FALSE(doc.dayChangeHeld());
        EXPECT_TRUE(doc.CheckDay());
        EXPECT_EQ(doc.pageDate(), clock.time);
        EXPECT_EQ(doc.pageText().text(), c.newPage);
        EXPECT_EQ(pagesOf(at.archivePath(1997)).back(), DatedText("1997-03-03", "Morning\r\r\n"));
        std::filesystem::remove(at.archivePath(1997));
        std::filesystem::remove(at.futurePath());
    }
}

} // namespace
} // namespace daylark::test
