#include "diary/BufferPageText.h"

#include <algorithm>
#include <utility>

namespace daylark {

void BufferPageText::setText(std::string_view text)
{
    m_text.assign(text);
    m_selection = {};
    m_modified = true;
}

void BufferPageText::setSelection(std::size_t start, std::size_t end)
{
    start = std::min(start, m_text.size());
    end = std::min(end, m_text.size());
    if (start > end) {
        std::swap(start, end);
    }
    m_selection = {start, end};
}

std::string BufferPageText::selectedText() const
{
    return m_text.substr(m_selection.start, m_selection.end - m_selection.start);
}

void BufferPageText::replaceSelection(std::string_view text)
{
    m_text.replace(m_selection.start, m_selection.end - m_selection.start, text);
    const std::size_t caret = m_selection.start + text.size();
    m_selection = {caret, caret};
    m_modified = true;
}

void BufferPageText::appendText(std::string_view text)
{
    m_text += text;
    m_selection = {m_text.size(), m_text.size()};
    m_modified = true;
}

} // namespace daylark
