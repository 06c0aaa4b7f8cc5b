#include "calendar/CDayViewDlg.h"

#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkPage.h"
#include "diary/CDaylarkView.h"
#include "diary/CPageArchive.h"
#include "diary/PageText.h"
#include "platform/EscapeQuestion.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "platform/TimeText.h"
#include "records/CFutureFile.h"

#include <utility>

namespace daylark {

CDayViewDlg::CDayViewDlg(CDaylarkDoc& doc, CDaylarkView& view, const DisplayFlags& flags)
    : m_doc(doc)
    , m_view(view)
    , m_flags(flags)
{}

CDayViewDlg::~CDayViewDlg()
{
    Cancel();
}

void CDayViewDlg::Open(std::int64_t day)
{
    if (m_open) {
        return;
    }
    // Today's text is the page view's text only while the view shows today.
    m_view.GoToToday();
    CFutureFile& future = m_doc.futureFile();
    future.Load();
    future.setChanged(false);
    m_doc.holdDayChange();
    m_open = true;
    m_day = localMidnight(day);
    show(/*backward=*/true);
}

void CDayViewDlg::Back()
{
    if (!m_open || !canStepBack()) {
        return;
    }
    commit();
    m_day = addLocalDays(m_day, -1);
    show(/*backward=*/true);
}

void CDayViewDlg::Forward()
{
    if (!m_open || !canStepForward()) {
        return;
    }
    commit();
    m_day = addLocalDays(m_day, 1);
    show(/*backward=*/false);
}

void CDayViewDlg::EditText(std::string text)
{
    if (!m_open || readOnly()) {
        return;
    }
    m_text = std::move(text);
    m_textModified = true;
}

bool CDayViewDlg::Ok()
{
    if (!m_open) {
        return true;
    }
    commit();
    CFutureFile& future = m_doc.futureFile();
    if (future.changed() && future.Save() != 0) {
        return false;
    }
    close();
    return true;
}

void CDayViewDlg::Cancel()
{
    if (m_open) {
        close();
    }
}

bool CDayViewDlg::Escape()
{
    if (!m_open) {
        return true;
    }
    // A step or OK may have committed today's text to the page already; that stays. Only the
    // box's own edit and the notes, saved by OK alone, would be lost.
    return EscapeAsking(
        m_doc.messages(), kTitle, m_textModified || m_doc.futureFile().changed(),
        [this] { return Ok(); }, [this] { Cancel(); });
}

bool CDayViewDlg::canStepBack() const
{
    return m_open && fitsStoredTime(addLocalDays(m_day, -1));
}

bool CDayViewDlg::canStepForward() const
{
    // The whole next day must be storable: a note may be dated at any time within it.
    return m_open && fitsStoredTime(addLocalDays(m_day, 2) - 1);
}

void CDayViewDlg::show(bool backward)
{
    m_title = FormatDate(m_day, /*withTime=*/false, m_flags);
    // Today is the page's day, not the clock's: until the change of day files it, the page on
    // show is the current day's page, and later days are written as notes that join it then.
    const long shown = localDayNumber(m_day);
    const long today = localDayNumber(m_doc.pageDate());
    m_kind = shown < today ? DayKind::Past : shown == today ? DayKind::Today : DayKind::Future;
    m_text.clear();
    switch (m_kind) {
    case DayKind::Past:
        showPastDay(backward);
        break;
    case DayKind::Today:
        m_text = m_doc.pageText().text();
        break;
    case DayKind::Future:
        if (const CDaylarkFuture* note = m_doc.futureFile().FindNote(m_day)) {
            m_text = note->Text;
        }
        break;
    }
    m_textModified = false;
    ++m_textRevision;
}

void CDayViewDlg::showPastDay(bool backward)
{
    CPageArchive* archive = archiveForDay();
    if (archive == nullptr) {
        return;
    }
    // The first search in an archive starts at its last entry; later ones go on from the entry
    // found last, so a walk day by day reads each entry about once.
    std::unique_ptr<CDaylarkPage> page;
    archive->FindPage(page, m_day, !archive->positionsValid(), backward, /*takeAny=*/false);
    archive->setPositionsValid(true);
    if (page) {
        m_text = std::move(page->Text);
    }
}

CPageArchive* CDayViewDlg::archiveForDay()
{
    // The archive named by the day's year, whatever year its header was written in: a page
    // filed just after New Year creates last year's archive in the new year.
    const std::string path = m_doc.archivePathFor(m_day);
    if (path.empty()) {
        return nullptr;
    }
    for (const auto& archive : m_archives) {
        if (archive->fileName() == path) {
            return archive.get();
        }
    }
    auto archive = std::make_unique<CPageArchive>(path, m_doc.messages(), m_doc.clock());
    if (archive->Open(/*loading=*/true, /*create=*/false) != 0) {
        return nullptr;
    }
    return m_archives.emplace_back(std::move(archive)).get();
}

void CDayViewDlg::commit()
{
    if (!m_textModified) {
        return;
    }
    switch (m_kind) {
    case DayKind::Past:
        break;
    case DayKind::Today:
        // Replacing the text marks the page modified, so the document saves it.
        m_doc.pageText().setText(m_text);
        break;
    case DayKind::Future:
        commitNote();
        break;
    }
    m_textModified = false;
}

void CDayViewDlg::commitNote()
{
    CFutureFile& future = m_doc.futureFile();
    CDaylarkFuture* note = future.FindNote(m_day);
    if (note == nullptr) {
        if (m_text.empty() || future.AddNote(m_text, m_day) == nullptr) {
            return;
        }
    } else if (m_text.empty()) {
        future.RemoveNote(note);
    } else if (note->Text != m_text) {
        note->Text = m_text;
    } else {
        return;
    }
    future.setChanged(true);
}

void CDayViewDlg::close()
{
    m_archives.clear();
    m_doc.futureFile().Empty();
    m_doc.releaseDayChange();
    m_open = false;
}

} // namespace daylark
