#pragma once

#include "search/TermMatcher.h"

#include <optional>
#include <string_view>

namespace daylark {

/// A term as the user gave it (UTF-8), found in either spelling the diary may hold it in: its
/// UTF-8 bytes, and its Windows-1252 bytes when it has characters beyond ASCII that all exist
/// in Windows-1252 (pages copied from the older program on Windows hold those). Each spelling
/// matches as TermMatcher says: the ASCII letters in either case, every other byte only itself.
/// A term that is not valid UTF-8 is looked for as its bytes only.
class SearchTerm
{
public:
    explicit SearchTerm(std::string_view term);

    bool empty() const { return m_utf8.empty(); }
    /// Whether either spelling occurs in `text`.
    bool foundIn(std::string_view text) const;

private:
    TermMatcher m_utf8;
    /// Only when it differs from the UTF-8 spelling: one more pattern at most.
    std::optional<TermMatcher> m_windows1252;
};

} // namespace daylark
