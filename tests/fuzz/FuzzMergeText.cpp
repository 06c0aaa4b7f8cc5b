#include "fuzz/FuzzMergeText.h"

#include "diary/MergeText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace daylark::test {

namespace {

bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

/// Aborts, naming the line, when a line of `text` is neither in `merged` as it stands nor
/// matched there by the line-matching rule, its key written as the merge writes lines.
void expectEveryLineIn(std::string_view text, const std::string& merged)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        while (pos < text.size() && !isBreak(text[pos]) && text[pos] != '\0') {
            ++pos;
        }
        const std::string_view body = text.substr(start, pos - start);
        const bool endsAtNul = pos < text.size() && text[pos] == '\0';
        if (endsAtNul) {
            ++pos; // a NUL ends its line and is an empty line of its own
        }
        int feeds = 0;
        for (; pos < text.size() && isBreak(text[pos]); ++pos) {
            feeds += text[pos] == '\n' ? 1 : 0;
        }
        // The line's key as the merge saw it, and as the merge writes the line (its breaks as
        // CR CR LF, at least one): found under either, it was matched.
        const std::string_view given = endsAtNul ? body : text.substr(start, pos - start);
        std::string key(body);
        for (int i = 0; i < std::max(feeds, 1); ++i) {
            key += "\r\r\n";
        }
        std::string line;
        if (!body.empty() && merged.find(body) == std::string::npos &&
            !MatchLine(given, merged, line) && !MatchLine(key, merged, line)) {
            std::fprintf(stderr, "line lost by the merge: \"%.*s\"\n", int(body.size()),
                         body.data());
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
