#include "diary/MergeText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace daylark::test {
namespace {

using namespace std::string_literals;

TEST(MergeText, LinesOfLongerFirstThenMissingLinesOfShorter)
{
    struct Case
    {
        const char* what;
        std::string a, b, expected;
        std::optional<std::string> lastA = {}, lastB = {};
    };
    const Case cases[] = {
        // A shorter text contained in the longer leaves the longer as it is.
        {"x inside x CR LF y", "x", "x\r\ny", "x\r\ny"},
        {"empty text", "", "one\ntwo", "one\ntwo"},
        {"empty a longer", "one\ntwo", "", "one\ntwo"},
        {"equal texts keep their own breaks", "a\nb", "a\nb", "a\nb"},
        {"contained in the middle", "two", "one\r\ntwo\r\nthree", "one\r\ntwo\r\nthree"},
        {"no line in common, break counts kept", "red\r\ngreen", "alpha\r\n\r\nbeta\nomega",
         "alpha\r\r\n\r\r\nbeta\r\r\nomega\r\r\nred\r\r\ngreen\r\r\n"},
        {"ticked box wins, longer without it", "{}Buy bread\r\nMilk\r\n", "{x}Buy bread\r\n",
         "{x}Buy bread\r\r\nMilk\r\r\n"},
        {"ticked box wins, longer with it", "{x}Buy bread\r\nMilk\r\n", "{}Buy bread\r\n",
         "{x}Buy bread\r\r\nMilk\r\r\n"},
        {"ticked box wins, equal lengths", "{}Buy bread\r\n", "{x}Buy bread\n",
         "{x}Buy bread\r\r\n"},
        {"equal lengths: b leads", "one\r\ntwo\r\n", "two\r\nsix\r\n",
         "two\r\r\nsix\r\r\none\r\r\n"},
        {"longer version of a line wins", "Call the garage about the car\r\n",
         "Call the garage about the car and the tyres\r\nPost\r\n",
         "Call the garage about the car and the tyres\r\r\nPost\r\r\n"},
        {"CR CR LF groups are one break", "new\r\r\n", "old\r\r\n\r\r\nnew\r\r\n",
         "old\r\r\n\r\r\nnew\r\r\n"},
        {"NUL is an empty line", "three\r\n", "one\0two\r\n"s,
         "one\r\r\n\r\r\ntwo\r\r\nthree\r\r\n"},
        {"breaks at the start form an empty line", "zz", "\r\n\r\nabc",
         "\r\r\n\r\r\nabc\r\r\nzz\r\r\n"},
        {"repeated line of the shorter text added once", "x1\r\nx1\r\n", "yyyyyyyyyyyy\r\n",
         "yyyyyyyyyyyy\r\r\nx1\r\r\n"},
        {"line in last a dropped", "shared line one\r\nfiled line here\r\n",
         "shared line one\r\nnew line\r\n", "shared line one\r\r\nnew line\r\r\n",
         "filed line here\r\n"},
        {"line in last b dropped", "xyz\r\nab", "xyz\r\nq", "xyz\r\r\nab\r\r\n", {}, "q\r\n"},
        {"last text of 3 bytes drops", "xyz\r\nab", "xyz\r\nq", "xyz\r\r\nq\r\r\n", "ab\r"},
        {"last text of 2 bytes ignored", "xyz\r\nab", "xyz\r\nq", "xyz\r\r\nab\r\r\nq\r\r\n", "ab"},
        {"line on both sides kept though filed", "keep\r\nmore text\r\n", "keep\r\nnew\r\n",
         "keep\r\r\nmore text\r\r\nnew\r\r\n", "keep\r\nfiled\r\n", "keep\r\nfiled\r\n"},
        {"first line of both kept though filed", "{ x}Call the garage\r\nmore\r\n",
         "{}Call the garage\r\n", "{ x}Call the garage\r\r\nmore\r\r\n", "{x}Call the garage\r\n"},
        {"lone LF line of both kept though filed", "{x}Call the garage\nmore\r\n",
         "{}Call the garage\r\n", "{x}Call the garage\r\r\nmore\r\r\n", "{x}Call the garage\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string a = c.a;
        std::string b = c.b;
        EXPECT_EQ(MergeText(a, b, c.lastA ? &*c.lastA : nullptr, c.lastB ? &*c.lastB : nullptr),
                  c.expected);
        // The result goes into the longer input (b when equally long); the other keeps its text.
        const bool intoA = c.a.size() > c.b.size();
        EXPECT_EQ(intoA ? a : b, c.expected);
        EXPECT_EQ(intoA ? b : a, intoA ? c.b : c.a);
    }
}

TEST(MergeText, MatchLineFindsVersionsAndMergesThem)
{
    const std::string fifty = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWX";
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        // what, key, text, the merged line (empty when none is found)
        // Short keys need 60% of the key, break run included.
        {"short key at a line start", "ab\r\n", "xy\r\nab\rz", "ab\r\r\n"},
        {"short key at the very end", "ab\r\n", "xy\r\nab", ""},
        {"not at a line start", "ab\r\n", "xab\r\nz", ""},
        {"right after a box", "ab\r\n", "{x}ab\r\nz", "{x}ab\r\r\n"},
        // Longer keys: more than 20 characters and the whole line or a CR with more after it.
        {"long key, text line ends", "This line is long enough to match\r\n",
         "This line is long enough\r\nmore", "This line is long enough to match\r\r\n"},
        {"long key, text goes on", "This line is long enough to match\r\n",
         "This line is long enough, really\r\nmore", ""},
        {"long key, CR ends the text", "This line is long enough to match\r\n",
         "This line is long enough\r", ""},
        {"21 characters then CR", fifty + "\r\n", fifty.substr(0, 21) + "\r\nz", fifty + "\r\r\n"},
        {"20 characters then CR", fifty + "\r\n", fifty.substr(0, 20) + "\r\nz", ""},
        {"whole key without break", "tail", "head\r\ntail", "tail\r\r\n"},
        // Break counts: the most of key and text, at least one.
        {"key has more breaks", "abc\r\n\r\n", "abc\r\nz", "abc\r\r\n\r\r\n"},
        {"text has more breaks", "abc\r\n", "abc\r\n\r\n\r\nz", "abc\r\r\n\r\r\n\r\r\n"},
        {"text version keeps the text's breaks", "task one\r\n\r\n", "task one and two\nz",
         "task one and two\r\r\n"},
        // Which box the merged line carries.
        {"key ticked", "{x}task one\r\n", "{ }task one\r\nz", "{x}task one\r\r\n"},
        {"text ticked", "{ }task one\r\n", "{X}task one\r\nz", "{X}task one\r\r\n"},
        {"neither ticked: key's", "{}task one\r\n", "{  }task one\r\nz", "{}task one\r\r\n"},
        {"only the text has one", "task one\r\n", "{  }task one\r\nz", "{  }task one\r\r\n"},
        {"only the key has one", "{ x}task one\r\n", "zz\r\ntask one\r\nz", "{ x}task one\r\r\n"},
        {"text version, key ticked", "{x}task one\r\n", "{ }task one and two\r\nz",
         "{x}task one and two\r\r\n"},
        {"text version, both ticked: text's", "{x}task one\r\n", "{X}task one and two\r\nz",
         "{X}task one and two\r\r\n"},
        {"text version, neither ticked: text's", "{}task one\r\n", "{ }task one and two\r\nz",
         "{ }task one and two\r\r\n"},
        {"text version, no text box", "{}task one\r\n", "zz\r\ntask one and two\r\nz",
         "{}task one and two\r\r\n"},
        {"first line of the text, key's box longer", "{  }abcdef\r\n", "{}abcdef\r\nz",
         "{  }abcdef\r\r\n"},
        // Keys broken by lone LFs or CRs keep their line.
        {"LF only", "abc\n", "abc\r\nz", "abc\r\r\n"},
        {"LF CR LF", "abcdef\n\r\n", "abcdef\r\nz", "abcdef\r\r\n\r\r\n"},
        {"LF only, text ends after the body", "abc\n", "xy\r\nabc", "abc\r\r\n"},
        {"CR only", "abc\r", "abc\rz", "abc\r\r\r\n"},
        {"empty key", "", "abc", ""},
    };
    for (const auto& [what, key, text, merged] : cases) {
        SCOPED_TRACE(what);
        std::string line = "unchanged";
        EXPECT_EQ(MatchLine(key, text, line), !merged.empty());
        EXPECT_EQ(line, merged.empty() ? "unchanged" : merged);
    }
}

// The line bodies of a text over the pool below: each starts at its "L" and runs to a break.
std::set<std::string> lineBodies(const std::string& text)
{
    std::set<std::string> bodies;
    for (std::size_t at = text.find('L'); at != std::string::npos; at = text.find('L', at + 1)) {
        bodies.insert(text.substr(at, text.find_first_of("\r\n\0"s, at) - at));
    }
    return bodies;
}

// Random page texts over a pool of lines that each start with their own number, so no two
// lines of the pool pass for versions of each other. The largest pool passes 32768 bytes.
TEST(MergeText, NoLineOfEitherTextIsLost)
{
    static const char* const kBoxes[] = {"", "", "", "{}", "{x}", "{ }", "{ x}", "{X}"};
    static const char* const kBreaks[] = {"\r\n",     "\r\n",   "\r\r\n", "\n",
                                          "\r\n\r\n", "\n\r\n", "\r"};
    std::mt19937 random(1997);
    for (const std::size_t poolSize : {5u, 40u, 1500u}) {
        for (int round = 0; round < (poolSize > 1000 ? 2 : 100); ++round) {
            std::vector<std::string> pool;
            for (std::size_t i = 0; i < poolSize; ++i) {
                // Appended piece by piece: gcc 12 at -O3 reports a false -Wrestrict in the
                // std::string::insert that "literal" + std::string makes.
                pool.push_back("L");
                pool.back().append(std::to_string(10000 + i).substr(1)).append(" ");
                for (std::size_t words = 1 + random() % 6; words > 0; --words) {
                    pool.back().append("word").append(std::to_string(random() % 50)).append(" ");
                }
            }
            const auto shuffled = [&] {
                std::shuffle(pool.begin(), pool.end(), random);
                std::string text;
                for (const std::string& line : pool) {
                    if (random() % 3 != 0) {
                        text += kBoxes[random() % std::size(kBoxes)] + line;
                        text += random() % 40 == 0 ? "\0"s : kBreaks[random() % std::size(kBreaks)];
                    }
                }
                if (!text.empty() && random() % 4 == 0) {
                    text.pop_back(); // the last line may have no break of its own
                }
                return text;
            };
            std::string a = shuffled();
            std::string b = shuffled();
            const std::string lastA = round % 2 == 0 ? shuffled() : "";
            const std::string lastB = round % 3 == 0 ? shuffled() : "";
            SCOPED_TRACE(testing::PrintToString(std::vector{a, b, lastA, lastB}));
            EXPECT_TRUE(poolSize < 1000 || std::max(a.size(), b.size()) > 32768u);
            const std::set<std::string> inA = lineBodies(a);
            const std::set<std::string> inB = lineBodies(b);
            const std::set<std::string> filed = lineBodies(lastA + '\n' + lastB);

            const std::set<std::string> merged = lineBodies(MergeText(a, b, &lastA, &lastB));
            // A line that both sides hold stays even when it was filed before; a line of one side
            // stays unless a last page holds it.
            for (const auto* side : {&inA, &inB}) {
                for (const std::string& body : *side) {
                    if ((inA.contains(body) && inB.contains(body)) || !filed.contains(body)) {
                        ASSERT_TRUE(merged.contains(body)) << "lost: " << body;
                    }
                }
            }
            for (const std::string& body : merged) {
                ASSERT_TRUE(inA.contains(body) || inB.contains(body)) << "made up: " << body;
            }
        }
    }
}

} // namespace
} // namespace daylark::test
