#include "search/TermMatcher.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace daylark {

namespace {

constexpr unsigned char fold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

constexpr std::array<unsigned char, 256> kFold = [] {
    std::array<unsigned char, 256> table{};
    for (std::size_t c = 0; c < table.size(); ++c) {
        table[c] = fold(static_cast<unsigned char>(c));
    }
    return table;
}();

/// How rare a (folded) byte is in diary text; higher is rarer. Letters follow the frequency
/// of English letters; blanks and line breaks are everywhere.
int rarity(unsigned char c)
{
    static constexpr std::string_view kLettersByFrequency = "etaoinshrdlcumwfgypbvkjxqz";
    if (const auto at = kLettersByFrequency.find(static_cast<char>(c)); at != std::string::npos) {
        return 10 + static_cast<int>(at);
    }
    if (c == ' ') {
        return 0;
    }
    if (c == '\r' || c == '\n') {
        return 5;
    }
    if (c >= '0' && c <= '9') {
        return 25;
    }
    return c >= 0x80 ? 30 : 32;
}

/// The mask that makes both cases of a small letter equal to it, and leaves any other byte
/// to match only itself.
unsigned char caseMask(unsigned char folded)
{
    return folded >= 'a' && folded <= 'z' ? 0x20 : 0;
}

#if defined(__GNUC__)
/// Sixteen bytes compared at once: gcc and clang map this onto the processor's vector
/// registers where it has them and onto plain code where not.
using Bytes16 = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t kBlock = sizeof(Bytes16);

Bytes16 load16(const char* at)
{
    Bytes16 bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    return bytes;
}

bool anyByteSet(Bytes16 bytes)
{
    std::uint64_t halves[2];
    std::memcpy(halves, &bytes, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}
#endif

/// The first of `wanted` in [from, end), or end.
const char* findByte(const char* from, const char* end, char wanted)
{
    if (from >= end) {
        return end;
    }
    const void* found = std::memchr(from, wanted, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

} // namespace

TermMatcher::TermMatcher(std::string_view term)
{
    m_folded.reserve(term.size());
    for (const char c : term) {
        m_folded.push_back(static_cast<char>(kFold[static_cast<unsigned char>(c)]));
    }
    int best = -1;
    for (std::size_t i = 0; i < m_folded.size(); ++i) {
        const int score = rarity(static_cast<unsigned char>(m_folded[i]));
        if (score > best) {
            best = score;
            m_anchor = i;
        }
    }
    if (!m_folded.empty()) {
        m_anchorSmall = m_folded[m_anchor];
        m_anchorCapital = m_anchorSmall >= 'a' && m_anchorSmall <= 'z'
                              ? static_cast<char>(m_anchorSmall - ('a' - 'A'))
                              : m_anchorSmall;
        m_anchorMask = caseMask(static_cast<unsigned char>(m_anchorSmall));
    }
    best = -1;
    for (std::size_t i = 0; i < m_folded.size(); ++i) {
        const int score = rarity(static_cast<unsigned char>(m_folded[i]));
        if (i != m_anchor && score > best) {
            best = score;
            m_second = i;
        }
    }
    if (m_folded.size() > 1) {
        m_secondSmall = static_cast<unsigned char>(m_folded[m_second]);
        m_secondMask = caseMask(m_secondSmall);
    }
}

bool TermMatcher::matchesAt(const char* at) const
{
    for (std::size_t i = 0; i < m_folded.size(); ++i) {
        if (kFold[static_cast<unsigned char>(at[i])] != static_cast<unsigned char>(m_folded[i])) {
            return false;
        }
    }
    return true;
}

bool TermMatcher::anchorsAt(const char* at) const
{
    return (static_cast<unsigned char>(at[m_anchor]) | m_anchorMask) ==
               static_cast<unsigned char>(m_anchorSmall) &&
           (static_cast<unsigned char>(at[m_second]) | m_secondMask) == m_secondSmall;
}

bool TermMatcher::foundIn(std::string_view text) const
{
    const std::size_t length = m_folded.size();
    if (length == 0 || text.size() < length) {
        return false;
    }
    if (length == 1) {
        return foundByAnchor(text);
    }
    // Every place the term could start at is tested for its two rarest bytes, sixteen places
    // at a time; few places pass both, and only those are compared whole. Unlike stepping
    // from one anchor byte to the next, this costs the same for common anchors as for rare.
    const char* const data = text.data();
    const std::size_t starts = text.size() - length + 1;
    std::size_t start = 0;
#if defined(__GNUC__)
    const Bytes16 anchorMask = Bytes16{} + m_anchorMask;
    const Bytes16 anchorSmall = Bytes16{} + static_cast<unsigned char>(m_anchorSmall);
    const Bytes16 secondMask = Bytes16{} + m_secondMask;
    const Bytes16 secondSmall = Bytes16{} + m_secondSmall;
    for (; start + kBlock <= starts; start += kBlock) {
        const char* const at = data + start;
        const auto both = ((load16(at + m_anchor) | anchorMask) == anchorSmall) &
                          ((load16(at + m_second) | secondMask) == secondSmall);
        if (!anyByteSet(reinterpret_cast<const Bytes16&>(both))) {
            continue;
        }
        for (std::size_t i = 0; i < kBlock; ++i) {
            if (both[i] != 0 && matchesAt(at + i)) {
                return true;
            }
        }
    }
#endif
    for (; start < starts; ++start) {
        if (anchorsAt(data + start) && matchesAt(data + start)) {
            return true;
        }
    }
    return false;
}

bool TermMatcher::foundByAnchor(std::string_view text) const
{
    const std::size_t length = m_folded.size();
    // Candidates are the places of the anchor byte, in either case, that leave room for the
    // whole term around them; memchr finds them without looking at every byte by hand.
    const char* const first = text.data() + m_anchor;
    const char* const end = text.data() + (text.size() - length) + m_anchor + 1;
    const char* small = findByte(first, end, m_anchorSmall);
    const char* capital =
        m_anchorCapital == m_anchorSmall ? end : findByte(first, end, m_anchorCapital);
    while (small < end || capital < end) {
        const char* candidate = std::min(small, capital);
        if (matchesAt(candidate - m_anchor)) {
            return true;
        }
        if (candidate == small) {
            small = findByte(small + 1, end, m_anchorSmall);
        } else {
            capital = findByte(capital + 1, end, m_anchorCapital);
        }
    }
    return false;
}

} // namespace daylark

bool daylark::matchesTerm(std::string_view text, std::string_view term)
{
    return TermMatcher(term).foundIn(text);
}
