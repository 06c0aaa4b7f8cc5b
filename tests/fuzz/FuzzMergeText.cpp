#include "fuzz/FuzzMergeText.h"

#include "diary/MergeText.h"
#include "sync/TextSince.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace daylark::test {

namespace {

/// Whether `line` is kept in `merged`: its body stands there, or a line of `merged` is a version
/// of it by the line-matching rule. Each line of the result is asked alone, as the merge asked
/// the text it had built so far (a line appended later may win the match in the whole text).
/// The key is tried as the merge saw it and as the merge writes lines (CR CR LF, at least one).
bool kept(const TextLine& line, const std::string& merged, const std::vector<TextLine>& resultLines)
{
    if (merged.find(line.body) != std::string::npos) {
        return true;
    }
    std::string written(line.body);
    for (int i = 0; i < std::max(line.feeds, 1); ++i) {
        written += "\r\r\n";
    }
    std::string version;
    return std::any_of(resultLines.begin(), resultLines.end(), [&](const TextLine& candidate) {
        return MatchLine(line.key, candidate.key, version) ||
               MatchLine(written, candidate.key, version);
    });
}

/// Aborts, naming the line, when a line of `text` is not kept in `merged`.
void expectEveryLineIn(std::string_view text, const std::string& merged)
{
    const std::vector<TextLine> resultLines = LinesOf(merged);
    for (const TextLine& line : LinesOf(text)) {
        if (!line.body.empty() && !kept(line, merged, resultLines)) {
            std::fprintf(stderr, "line lost by the merge: \"%.*s\"\n", int(line.body.size()),
                         line.body.data());
            std::abort();
        }
    }
}

} // namespace

void fuzzMergeText(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t split =
        (std::size_t{data[0]} | std::size_t{data[1]} << 8) % (bytes.size() + 1);
    std::string a(bytes.substr(0, split));
    std::string b(bytes.substr(split));
    const std::string firstA = a;
    const std::string firstB = b;
    const std::string merged = MergeText(a, b, nullptr, nullptr);
    expectEveryLineIn(firstA, merged);
    expectEveryLineIn(firstB, merged);
}

} // namespace daylark::test
