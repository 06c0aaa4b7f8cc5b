#include "diary/MergeText.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace daylark {
namespace {

constexpr std::string_view kLineBreak = "\r\r\n";

bool isBreakChar(char c)
{
    return c == '\r' || c == '\n';
}

bool endsLineBody(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

// A match may start only where a line of the text begins or right after a check box.
bool mayPrecedeMatch(char c)
{
    return c == '}' || c == '\r' || c == '\n' || c == '\0';
}

// One line of a text: its body runs from where it starts to bodyEnd, its break run from
// bodyEnd to breakEnd; the next line starts at next.
struct Line
{
    std::size_t bodyEnd;
    std::size_t breakEnd;
    std::size_t next;
};

Line lineAt(std::string_view text, std::size_t start)
{
    std::size_t bodyEnd = start;
    while (bodyEnd < text.size() && !endsLineBody(text[bodyEnd])) {
        ++bodyEnd;
    }
    std::size_t breakEnd = bodyEnd;
    while (breakEnd < text.size() && isBreakChar(text[breakEnd])) {
        ++breakEnd;
    }
    // A NUL is an empty line of its own, without breaks; it is not part of any key.
    const std::size_t next = breakEnd == start ? start + 1 : breakEnd;
    return Line{bodyEnd, breakEnd, next};
}

std::size_t countLineFeeds(std::string_view text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

void appendBreaks(std::string& out, std::size_t count)
{
    for (std::size_t i = 0; i < std::max<std::size_t>(count, 1); ++i) {
        out += kLineBreak;
    }
}

void appendLineAsIs(std::string& out, std::string_view text, std::size_t start, const Line& line)
{
    out.append(text.substr(start, line.bodyEnd - start));
    appendBreaks(out, countLineFeeds(text.substr(line.bodyEnd, line.breakEnd - line.bodyEnd)));
}

struct CheckBox
{
    std::string_view chars; // empty when there is none
    bool ticked = false;
};

// The check box at the start of a key: "{??}", "{?}" or "{}", tried in that order.
CheckBox leadingBox(std::string_view key)
{
    if (key.size() >= 4 && key[0] == '{' && key[3] == '}') {
        return {key.substr(0, 4), !(key[1] == ' ' && key[2] == ' ')};
    }
    if (key.size() >= 3 && key[0] == '{' && key[2] == '}') {
        return {key.substr(0, 3), key[1] != ' '};
    }
    if (key.size() >= 2 && key[0] == '{' && key[1] == '}') {
        return {key.substr(0, 2), false};
    }
    return {};
}

// The check box that ends right before position t of a text, in the same order of forms.
CheckBox boxBefore(std::string_view text, std::size_t t)
{
    if (t >= 4 && text[t - 4] == '{' && text[t - 1] == '}') {
        return {text.substr(t - 4, 4), !(text[t - 3] == ' ' && text[t - 2] == ' ')};
    }
    if (t >= 3 && text[t - 3] == '{' && text[t - 1] == '}') {
        return {text.substr(t - 3, 3), text[t - 2] != ' '};
    }
    if (t >= 2 && text[t - 2] == '{' && text[t - 1] == '}') {
        return {text.substr(t - 2, 2), false};
    }
    return {};
}

// Which box the merged line carries: none when neither side has one, else a ticked one,
// preferring the side whose version is taken.
std::string_view pickBox(const CheckBox& preferred, const CheckBox& other)
{
    if (preferred.ticked) {
        return preferred.chars;
    }
    if (other.ticked) {
        return other.chars;
    }
    return preferred.chars.empty() ? other.chars : preferred.chars;
}

// A text prepared for the line search: the positions where a match may start, found once so
// that the search over every key does not test every byte again.
class SearchText
{
public:
    explicit SearchText(std::string_view text) { update(text); }

    /// Takes up a text that grew by appending to the one seen before.
    void update(std::string_view text)
    {
        for (std::size_t t = m_text.size(); t < text.size(); ++t) {
            if (t == 0 || mayPrecedeMatch(text[t - 1])) {
                m_starts.push_back(t);
            }
        }
        m_text = text;
    }
    std::string_view text() const { return m_text; }
    const std::vector<std::size_t>& starts() const { return m_starts; }

private:
    std::string_view m_text;
    std::vector<std::size_t> m_starts;
};

struct Match
{
    CheckBox keyBox;
    std::size_t start; // where the matching run begins in the text
};

std::size_t commonPrefix(std::string_view a, std::string_view b)
{
    const std::size_t limit = std::min(a.size(), b.size());
    std::size_t m = 0;
    while (m < limit && a[m] == b[m]) {
        ++m;
    }
    return m;
}

std::optional<Match> findLine(std::string_view key, const SearchText& search)
{
    const CheckBox keyBox = leadingBox(key);
    const std::size_t boxLength = keyBox.chars.size();
    const std::string_view keyRest = key.substr(boxLength);
    if (keyRest.empty()) {
        return std::nullopt;
    }
    const std::string_view text = search.text();
    const auto& starts = search.starts();

    std::size_t best = 0;
    std::size_t matchStart = 0;
    bool lineEndSeen = false;
    // The search covers the whole text, its first line included even when the key's box is
    // longer than the text's: skipping the first positions by the key's box length missed that
    // line, and with a last page that holds it, a line that both texts hold was dropped.
    for (const std::size_t t : starts) {
        if (best >= keyRest.size()) {
            break; // the whole key matched: no later run can be longer
        }
        // A run that beats best matches at least best + 1 characters: test the cheap ends first.
        if (t + best >= text.size() || text[t] != keyRest[0] || text[t + best] != keyRest[best]) {
            continue;
        }
        const std::size_t m = commonPrefix(keyRest, text.substr(t));
        if (m <= best) {
            continue;
        }
        best = m;
        matchStart = t;
        if (t + m + 1 < text.size()) {
            lineEndSeen = text[t + m] == '\r';
        }
    }
    if (best == 0) {
        return std::nullopt;
    }
    // Short lines need 60% of the whole key, check box and break run included.
    const bool longEnough = best > 20 || (10 * best) / key.size() > 5;
    // The key's body ends at its first CR or LF: a key broken by a lone LF is a whole line
    // when its body matched, as one broken by CR LF is.
    const std::size_t bodyEnd = key.find_first_of("\r\n", boxLength);
    const auto bodyLength = static_cast<std::ptrdiff_t>(
        (bodyEnd == std::string_view::npos ? key.size() : bodyEnd) - boxLength);
    const bool wholeLine = lineEndSeen || bodyLength <= static_cast<std::ptrdiff_t>(best);
    if (!longEnough || !wholeLine) {
        return std::nullopt;
    }
    return Match{keyBox, matchStart};
}

// The key's own line without its box. When the key holds a line feed, the body ends at the
// first CR or LF; ending it only at a CR would drop the whole line of a key broken by a lone
// LF, and keep the LF of an LF CR LF run inside the body, adding an empty line at every merge.
std::string_view keyBody(std::string_view key, std::size_t boxLength)
{
    const std::string_view rest = key.substr(boxLength);
    if (key.find('\n') == std::string_view::npos) {
        return rest;
    }
    return rest.substr(0, rest.find_first_of("\r\n"));
}

void appendMergedLine(std::string& out, std::string_view key, std::string_view text,
                      const Match& match)
{
    const CheckBox textBox = boxBefore(text, match.start);
    const Line textLine = lineAt(text, match.start);
    const std::string_view textBody = text.substr(match.start, textLine.bodyEnd - match.start);
    const std::size_t textBreaks =
        countLineFeeds(text.substr(textLine.bodyEnd, textLine.breakEnd - textLine.bodyEnd));
    const std::size_t boxLength = match.keyBox.chars.size();

    // The longer line is taken as the better version.
    if (key.size() - boxLength < textBody.size()) {
        out += pickBox(textBox, match.keyBox);
        out += textBody;
        appendBreaks(out, textBreaks);
        return;
    }
    out += pickBox(match.keyBox, textBox);
    out += keyBody(key, boxLength);
    appendBreaks(out, std::max(countLineFeeds(key), textBreaks));
}

} // namespace
} // namespace daylark

bool daylark::MatchLine(std::string_view key, std::string_view text, std::string& line)
{
    const SearchText search(text);
    const auto match = findLine(key, search);
    if (!match) {
        return false;
    }
    std::string merged; // built apart: key may look into line
    appendMergedLine(merged, key, text, *match);
    line = std::move(merged);
    return true;
}

std::string daylark::MergeText(std::string& a, std::string& b, const std::string* lastA,
                               const std::string* lastB)
{
    std::string& longer = a.size() > b.size() ? a : b;
    const std::string& shorter = &longer == &a ? b : a;
    if (longer.find(shorter) != std::string::npos) {
        return longer;
    }

    // Lines that the last filed pages hold went with an earlier day: they are not added back.
    std::optional<SearchText> filedA;
    std::optional<SearchText> filedB;
    if (lastA != nullptr && lastA->size() > 2) {
        filedA.emplace(*lastA);
    }
    if (lastB != nullptr && lastB->size() > 2) {
        filedB.emplace(*lastB);
    }
    const auto filedBefore = [&](std::string_view key) {
        return (filedA && findLine(key, *filedA)) || (filedB && findLine(key, *filedB));
    };

    std::string merged;
    merged.reserve(2 * (longer.size() + shorter.size()));
    const SearchText shorterSearch(shorter);
    for (std::size_t pos = 0; pos < longer.size();) {
        const Line line = lineAt(longer, pos);
        const std::string_view key = std::string_view(longer).substr(pos, line.breakEnd - pos);
        if (const auto match = findLine(key, shorterSearch)) {
            appendMergedLine(merged, key, shorter, *match);
        } else if (!filedBefore(key)) {
            appendLineAsIs(merged, longer, pos, line);
        }
        pos = line.next;
    }

    SearchText mergedSearch(merged);
    for (std::size_t pos = 0; pos < shorter.size();) {
        const Line line = lineAt(shorter, pos);
        const std::string_view key = std::string_view(shorter).substr(pos, line.breakEnd - pos);
        if (!findLine(key, mergedSearch) && !filedBefore(key)) {
            appendLineAsIs(merged, shorter, pos, line);
            mergedSearch.update(merged);
        }
        pos = line.next;
    }

    longer = merged;
    return merged;
}
