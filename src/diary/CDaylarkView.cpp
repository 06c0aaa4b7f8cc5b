#include "diary/CDaylarkView.h"

#include "diary/CDaylarkDoc.h"
#include "diary/CDaylarkPage.h"
#include "diary/CPageArchive.h"
#include "diary/PageText.h"
#include "platform/Clock.h"
#include "platform/DisplayFlags.h"
#include "platform/LocalTime.h"
#include "platform/TimeText.h"

#include <memory>
#include <optional>
#include <utility>

namespace daylark {

CDaylarkView::CDaylarkView(CDaylarkDoc& doc, const DisplayFlags& flags, DayFileChecks checks)
    : m_doc(doc)
    , m_flags(flags)
    , m_checks(std::move(checks))
{}

void CDaylarkView::BackwardDay()
{
    settleFutureShownDate();
    if (m_doc.showsToday()) {
        m_doc.keepTodayTextWhileBrowsing();
    }
    m_doc.setShownDate(addLocalDays(m_doc.shownDate(), -1));
    showFiledPage(/*backward=*/true);
}

void CDaylarkView::ForwardDay()
{
    if (settleFutureShownDate() || m_doc.showsToday()) {
        return;
    }
    m_doc.setShownDate(addLocalDays(m_doc.shownDate(), 1));
    if (localDayNumber(m_doc.shownDate()) < localDayNumber(m_doc.pageDate())) {
        showFiledPage(/*backward=*/false);
        return;
    }
    showToday();
}

void CDaylarkView::GoToToday()
{
    if (!m_doc.showsToday()) {
        showToday();
    }
}

void CDaylarkView::ShowDay(std::int64_t date)
{
    settleFutureShownDate();
    if (localDayNumber(date) >= localDayNumber(m_doc.pageDate())) {
        GoToToday();
        return;
    }
    if (m_doc.showsToday()) {
        m_doc.keepTodayTextWhileBrowsing();
    }
    m_doc.setShownDate(date);
    showFiledPage(/*backward=*/true, SearchFrom::End);
}

void CDaylarkView::TodayCommand()
{
    GoToToday();
    if (m_checks.checkDayFile && m_checks.checkDayFile() && m_checks.saveModified) {
        m_checks.saveModified();
    }
}

void CDaylarkView::InsertTimeStamp()
{
    PageText& text = m_doc.pageText();
    if (text.readOnly()) {
        return;
    }
    const std::int64_t now = m_doc.clock().now();
    const bool plain = !m_flags.use24HourClock && !m_flags.useGmt;
    text.replaceSelection(plain ? FormatAlarmTime(now, m_flags)
                                : FormatDate(now, /*withTime=*/true, m_flags));
}

void CDaylarkView::JoinLines()
{
    PageText& text = m_doc.pageText();
    const PageText::Selection selection = text.selection();
    if (text.readOnly() || selection.end == selection.start) {
        return;
    }
    std::string joined;
    joined.reserve(selection.end - selection.start);
    for (const char c : text.selectedText()) {
        if (c != '\r') {
            joined += c == '\n' ? ' ' : c;
        }
    }
    if (!joined.empty()) {
        text.replaceSelection(joined);
    }
}

std::string CDaylarkView::caption() const
{
    return FormatDate(m_doc.shownDate(), /*withTime=*/false, m_flags);
}

bool CDaylarkView::showsPastDay() const
{
    return !m_doc.showsToday();
}

bool CDaylarkView::settleFutureShownDate()
{
    if (localDayNumber(m_doc.shownDate()) <= localDayNumber(m_doc.pageDate())) {
        return false;
    }
    showToday();
    return true;
}

void CDaylarkView::showFiledPage(bool backward, SearchFrom from)
{
    std::string pageText;
    if (CPageArchive* archive = m_doc.browsingArchiveFor(m_doc.shownDate())) {
        // The first search in an archive starts at its last entry; later ones go on from the
        // entry found last, so a walk day by day reads each entry about once.
        std::unique_ptr<CDaylarkPage> page;
        const bool fromEnd = from == SearchFrom::End || !archive->positionsValid();
        archive->FindPage(page, m_doc.shownDate(), fromEnd, backward, /*takeAny=*/false);
        archive->setPositionsValid(true);
        if (page) {
            pageText = std::move(page->Text);
        }
    }
    setTextKeepingMark(pageText);
    m_doc.pageText().setReadOnly(true);
}

void CDaylarkView::showToday()
{
    if (const std::optional<std::string> saved = m_doc.takeBackTodayText()) {
        // Today's text comes back with its undo history and caret where the editor kept it.
        PageText& page = m_doc.pageText();
        const bool modified = page.modified();
        if (page.takeBackKept(*saved)) {
            page.setModified(modified);
        } else {
            setTextKeepingMark(*saved);
        }
    }
    m_doc.pageText().setReadOnly(false);
    m_doc.closeBrowsingArchives();
    m_doc.setShownDate(m_doc.pageDate());
}

void CDaylarkView::setTextKeepingMark(const std::string& text)
{
    PageText& page = m_doc.pageText();
    const bool modified = page.modified();
    page.setText(text);
    page.setModified(modified);
}

} // namespace daylark
