#include "records/CListDlg.h"

#include "platform/Clock.h"
#include "platform/EscapeQuestion.h"
#include "records/CTodoFile.h"

#include <algorithm>
#include <memory>

namespace daylark {

namespace {

unsigned char foldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

} // namespace

CListDlg::CListDlg(CTodoFile& lists, const Clock& clock, MessageSink& messages)
    : m_lists(lists)
    , m_clock(clock)
    , m_messages(messages)
{}

bool CListDlg::Escape()
{
    if (!m_open) {
        return true;
    }
    return EscapeAsking(
        m_messages, kTitle, m_edited || m_contentsModified, [this] { return Ok(); },
        [this] { Cancel(); });
}

CListDlg::~CListDlg()
{
    Cancel();
}

void CListDlg::Open()
{
    if (m_open) {
        return;
    }
    m_open = true;
    m_lists.Load();
    m_lists.setChanged(false);
    m_edited = false;
    m_name = kNewListName;
    m_names.clear();
    for (const auto& list : m_lists.records()) {
        m_names.push_back(list->Name);
    }
    std::stable_sort(m_names.begin(), m_names.end(),
                     [](const auto& a, const auto& b) { return listNameBefore(a, b); });
    m_current = nullptr;
    m_selection.reset();
    showContents({});
    if (!m_names.empty()) {
        m_selection = 0;
        selectionChange();
    }
}

void CListDlg::EditContents(std::string text)
{
    if (!m_open) {
        return;
    }
    m_contents = std::move(text);
    m_contentsModified = true;
}

void CListDlg::SelectEntry(std::size_t index)
{
    if (!m_open || index >= m_names.size()) {
        return;
    }
    m_selection = index;
    selectionChange();
}

void CListDlg::Add()
{
    if (!m_open || m_name.empty() || m_lists.FindList(m_name) != nullptr) {
        return;
    }
    commit();
    auto list = std::make_unique<CDaylarkTodo>();
    list->Name = m_name;
    list->Created = m_clock.now();
    list->LastChanged = list->Created;
    // A full lists file refuses the list with its own message; the list box stays as it is.
    if (m_lists.add(std::move(list)) == nullptr) {
        return;
    }
    m_lists.setChanged(true);
    m_edited = true;
    m_selection = insertName(m_name);
    selectionChange();
}

void CListDlg::Delete()
{
    const std::string* selected = m_open ? selectedName() : nullptr;
    CDaylarkTodo* list = selected != nullptr ? m_lists.FindList(*selected) : nullptr;
    if (list == nullptr) {
        return;
    }
    m_lists.remove(list);
    m_lists.setChanged(true);
    m_edited = true;
    m_current = nullptr;
    const std::size_t removed = *m_selection;
    m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(removed));
    if (m_names.empty()) {
        m_selection.reset();
        showContents({});
        return;
    }
    m_selection = removed == 0 ? 0 : removed - 1;
    CDaylarkTodo* shown = m_lists.FindList(m_names[*m_selection]);
    showContents(shown != nullptr ? shown->Contents : std::string());
    m_current = shown;
}

bool CListDlg::Ok()
{
    if (!m_open) {
        return true;
    }
    if (m_contentsModified && m_selection) {
        commit();
    }
    // A failed save has shown its message; the dialog stays open with every edit, so that
    // the user can try again or drop the edits with Escape.
    if (m_lists.changed() && m_lists.Save() != 0) {
        return false;
    }
    Cancel();
    return true;
}

void CListDlg::Cancel()
{
    if (!m_open) {
        return;
    }
    m_current = nullptr;
    m_lists.Empty();
    m_open = false;
}

void CListDlg::selectionChange()
{
    const std::string* selected = selectedName();
    commit();
    CDaylarkTodo* list = selected != nullptr ? m_lists.FindList(*selected) : nullptr;
    if (list == nullptr) {
        return;
    }
    showContents(list->Contents);
    m_current = list;
    m_lists.setChanged(true);
}

void CListDlg::commit()
{
    if (!m_contentsModified || m_lists.records().empty() || m_current == nullptr) {
        return;
    }
    m_current->Contents = m_contents;
    m_current->LastChanged = m_clock.now();
    m_lists.setChanged(true);
    m_edited = true;
}

void CListDlg::showContents(std::string text)
{
    m_contents = std::move(text);
    m_contentsModified = false;
    ++m_contentsRevision;
}

std::size_t CListDlg::insertName(std::string name)
{
    const auto place = std::upper_bound(
        m_names.begin(), m_names.end(), name,
        [](const std::string& a, const std::string& b) { return listNameBefore(a, b); });
    const auto inserted = m_names.insert(place, std::move(name));
    return static_cast<std::size_t>(inserted - m_names.begin());
}

const std::string* CListDlg::selectedName() const
{
    if (!m_selection || *m_selection >= m_names.size()) {
        return nullptr;
    }
    return &m_names[*m_selection];
}

} // namespace daylark

bool daylark::listNameBefore(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) {
            return foldCase(a[i]) < foldCase(b[i]);
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    // Same letters: the first place where the case differs decides, lower case first.
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) {
            return static_cast<unsigned char>(a[i]) > static_cast<unsigned char>(b[i]);
        }
    }
    return false;
}
