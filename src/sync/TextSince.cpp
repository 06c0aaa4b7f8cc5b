#include "sync/TextSince.h"

#include "diary/MergeText.h"

#include <map>
#include <string_view>
#include <vector>

namespace daylark {

namespace {

using Counts = std::map<std::string_view, int>;

Counts countBodies(const std::vector<TextLine>& lines)
{
    Counts counts;
    for (const TextLine& line : lines) {
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
    for (const TextLine& line : LinesOf(text)) {
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

std::vector<daylark::TextLine> daylark::LinesOf(std::string_view text)
{
    const auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    std::vector<TextLine> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        while (pos < text.size() && !isBreak(text[pos]) && text[pos] != '\0') {
            ++pos;
        }
        TextLine line;
        line.body = text.substr(start, pos - start);
        const bool endsAtNul = pos < text.size() && text[pos] == '\0';
        if (endsAtNul) {
            ++pos;
        }
        for (; pos < text.size() && isBreak(text[pos]); ++pos) {
            line.feeds += text[pos] == '\n' ? 1 : 0;
        }
        line.whole = text.substr(start, pos - start);
        line.key = endsAtNul ? line.body : line.whole;
        lines.push_back(line);
    }
    return lines;
}

std::string daylark::MergeTextSince(const std::string& base, std::string ours, std::string theirs)
{
    const auto baseLines = LinesOf(base);
    const Counts inBase = countBodies(baseLines);
    const Counts inOurs = countBodies(LinesOf(ours));
    const Counts inTheirs = countBodies(LinesOf(theirs));
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
    std::string added = withoutLines(text, countBodies(LinesOf(base)));
    return countBodies(LinesOf(added)).empty() ? std::string() : added;
}
