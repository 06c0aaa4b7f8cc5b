#include "sync/TextSince.h"

#include "diary/MergeText.h"

#include <map>
#include <string_view>
#include <vector>

namespace daylark {

namespace {

/// A line as the text merge sees it: its body (up to a CR, LF or NUL) and the break run after it.
struct Line
{
    std::string_view body;
    std::string_view whole; ///< the body and its break run
};

bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

std::vector<Line> linesOf(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        while (pos < text.size() && !isBreak(text[pos]) && text[pos] != '\0') {
            ++pos;
        }
        const std::size_t bodyEnd = pos;
        if (pos < text.size() && text[pos] == '\0') {
            ++pos; // a NUL ends its line and is dropped with it
        }
        while (pos < text.size() && isBreak(text[pos])) {
            ++pos;
        }
        lines.push_back({text.substr(start, bodyEnd - start), text.substr(start, pos - start)});
    }
    return lines;
}

using Counts = std::map<std::string_view, int>;

Counts countBodies(const std::vector<Line>& lines)
{
    Counts counts;
    for (const Line& line : lines) {
        if (!line.body.empty()) {
            ++counts[line.body];
        }
    }
    return counts;
}

int countOf(const Counts& counts, std::string_view body)
{
    const auto found = counts.find(body);
    return found == counts.end() ? 0 : found->second;
}

/// `text` without the first `drop[body]` lines of each body.
std::string withoutLines(std::string_view text, Counts drop)
{
    std::string kept;
    for (const Line& line : linesOf(text)) {
        const auto found = drop.find(line.body);
        if (found != drop.end() && found->second > 0) {
            --found->second;
            continue;
        }
        kept += line.whole;
    }
    return kept;
}

} // namespace

} // namespace daylark

std::string daylark::MergeTextSince(const std::string& base, std::string ours, std::string theirs)
{
    const auto baseLines = linesOf(base);
    const Counts inBase = countBodies(baseLines);
    const Counts inOurs = countBodies(linesOf(ours));
    const Counts inTheirs = countBodies(linesOf(theirs));
    Counts removed;
    for (const auto& [body, count] : inBase) {
        const int o = countOf(inOurs, body);
        const int t = countOf(inTheirs, body);
        if (o < count && t == count) {
            removed[body] = count - o;
        } else if (t < count && o == count) {
            removed[body] = count - t;
        }
    }
    const std::string merged = MergeText(theirs, ours, nullptr, nullptr);
    if (removed.empty()) {
        return merged;
    }
    // `removed` views into `base`, which outlives this call.
    return withoutLines(merged, std::move(removed));
}

std::string daylark::LinesAddedSince(const std::string& base, const std::string& text)
{
    std::string added = withoutLines(text, countBodies(linesOf(base)));
    return countBodies(linesOf(added)).empty() ? std::string() : added;
}
