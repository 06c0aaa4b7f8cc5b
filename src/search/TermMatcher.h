#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace daylark {

/// One search term, ready to be looked for in many texts. A text matches when the term occurs
/// in it as a run of consecutive bytes, the ASCII letters A-Z and a-z matching their other case
/// and every other byte (accented letters among them) only itself. An empty term matches
/// nothing. Texts of any length are searched whole.
class TermMatcher
{
public:
    explicit TermMatcher(std::string_view term);

    bool empty() const { return m_folded.empty(); }
    /// Whether the term occurs in `text`.
    bool foundIn(std::string_view text) const;

private:
    /// Whether the term, folded, starts at `at` of `text` (which has room for it).
    bool matchesAt(const char* at) const;
    /// foundIn for a term of one byte: memchr finds its places.
    bool foundByAnchor(std::string_view text) const;
    /// Whether the two anchor bytes of the term stand in place for a start at `at`.
    bool anchorsAt(const char* at) const;

    std::string m_folded; ///< the term with A-Z made small
    /// The term byte that candidate positions are found by: the one least common in ordinary
    /// text, so that few candidates need the whole comparison.
    std::size_t m_anchor = 0;
    char m_anchorSmall = 0;
    char m_anchorCapital = 0;
    /// For terms of two bytes or more, the next rarest byte at another place: a start is
    /// checked whole only where both stand. Each is compared after OR-ing its mask (0x20 for
    /// a letter, which makes its capital small and nothing else equal to it).
    std::size_t m_second = 0;
    unsigned char m_anchorMask = 0;
    unsigned char m_secondSmall = 0;
    unsigned char m_secondMask = 0;
};

/// Whether `term` occurs in `text` (see TermMatcher).
bool matchesTerm(std::string_view text, std::string_view term);

} // namespace daylark
