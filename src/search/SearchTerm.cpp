#include "search/SearchTerm.h"

#include "format/Windows1252.h"

namespace daylark {

SearchTerm::SearchTerm(std::string_view term)
    : m_utf8(term)
{
    const std::optional<std::string> legacy = windows1252FromUtf8(term);
    if (legacy && *legacy != term) {
        m_windows1252.emplace(*legacy);
    }
}

bool SearchTerm::foundIn(std::string_view text) const
{
    return m_utf8.foundIn(text) || (m_windows1252 && m_windows1252->foundIn(text));
}

} // namespace daylark
