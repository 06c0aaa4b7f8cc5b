#include "diary/MergeText.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace daylark::test {
namespace {

using namespace std::string_literals;

// Shows control bytes, so a failing comparison can be read.
std::string visible(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\0') {
            out += "\\0";
        } else {
            out += c;
        }
    }
    return out;
}

struct MergeCase
{
    const char* what;
    std::string a;
    std::string b;
    std::string expected;
    const std::string* lastA = nullptr;
    const std::string* lastB = nullptr;
};

void checkMerges(const std::vector<MergeCase>& cases)
{
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string a = c.a;
        std::string b = c.b;
        const std::string result = MergeText(a, b, c.lastA, c.lastB);
        EXPECT_EQ(visible(result), visible(c.expected));
        // The result goes into the longer input (b when equally long); the other keeps its text.
        const bool intoA = c.a.size() > c.b.size();
        EXPECT_EQ(visible(intoA ? a : b), visible(result));
        EXPECT_EQ(visible(intoA ? b : a), visible(intoA ? c.b : c.a));
    }
}

TEST(MergeText, ContainedShorterTextLeavesLongerAsItIs)
{
    checkMerges({
        {"x inside x CR LF y", "x", "x\r\ny", "x\r\ny"},
        {"empty text", "", "one\ntwo", "one\ntwo"},
        {"empty a longer", "one\ntwo", "", "one\ntwo"},
        {"equal texts keep their own breaks", "a\nb", "a\nb", "a\nb"},
        {"contained in the middle", "two", "one\r\ntwo\r\nthree", "one\r\ntwo\r\nthree"},
    });
}

TEST(MergeText, LinesOfLongerFirstThenMissingLinesOfShorter)
{
    const std::string filedA = "filed line here\r\n";
    const std::string filedB = "q\r\n";
    const std::string filedAb = "ab\r";
    const std::string twoBytes = "ab";
    const std::string filedKeep = "keep\r\nfiled\r\n";
    const std::string filedCall = "{x}Call the garage\r\n";
    checkMerges({
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
         "shared line one\r\nnew line\r\n", "shared line one\r\r\nnew line\r\r\n", &filedA},
        {"line in last b dropped", "xyz\r\nab", "xyz\r\nq", "xyz\r\r\nab\r\r\n", nullptr, &filedB},
        {"last text of 3 bytes drops", "xyz\r\nab", "xyz\r\nq", "xyz\r\r\nq\r\r\n", &filedAb},
        {"last text of 2 bytes ignored", "xyz\r\nab", "xyz\r\nq", "xyz\r\r\nab\r\r\nq\r\r\n",
         &twoBytes},
        {"line on both sides kept though filed", "keep\r\nmore text\r\n", "keep\r\nnew\r\n",
         "keep\r\r\nmore text\r\r\nnew\r\r\n", &filedKeep, &filedKeep},
        {"first line of both kept though filed", "{ x}Call the garage\r\nmore\r\n",
         "{}Call the garage\r\n", "{ x}Call the garage\r\r\nmore\r\r\n", &filedCall},
        {"lone LF line of both kept though filed", "{x}Call the garage\nmore\r\n",
         "{}Call the garage\r\n", "{x}Call the garage\r\r\nmore\r\r\n", &filedCall},
    });
}

struct MatchCase
{
    const char* what;
    std::string key;
    std::string text;
    bool found;
    std::string line; // when found
};

TEST(MergeText, MatchLineFindsVersionsAndMergesThem)
{
    const std::string fifty = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWX";
    const std::vector<MatchCase> cases = {
        // Short keys need 60% of the key, break run included.
        {"short key at a line start", "ab\r\n", "xy\r\nab\rz", true, "ab\r\r\n"},
        {"short key at the very end", "ab\r\n", "xy\r\nab", false, ""},
        {"not at a line start", "ab\r\n", "xab\r\nz", false, ""},
        {"right after a box", "ab\r\n", "{x}ab\r\nz", true, "{x}ab\r\r\n"},
        // Longer keys: more than 20 characters and the whole line or a CR with more after it.
        {"long key, text line ends", "This line is long enough to match\r\n",
         "This line is long enough\r\nmore", true, "This line is long enough to match\r\r\n"},
        {"long key, text goes on", "This line is long enough to match\r\n",
         "This line is long enough, really\r\nmore", false, ""},
        {"long key, CR ends the text", "This line is long enough to match\r\n",
         "This line is long enough\r", false, ""},
        {"21 characters then CR", fifty + "\r\n", fifty.substr(0, 21) + "\r\nz", true,
         fifty + "\r\r\n"},
        {"20 characters then CR", fifty + "\r\n", fifty.substr(0, 20) + "\r\nz", false, ""},
        {"whole key without break", "tail", "head\r\ntail", true, "tail\r\r\n"},
        // Break counts: the most of key and text, at least one.
        {"key has more breaks", "abc\r\n\r\n", "abc\r\nz", true, "abc\r\r\n\r\r\n"},
        {"text has more breaks", "abc\r\n", "abc\r\n\r\n\r\nz", true, "abc\r\r\n\r\r\n\r\r\n"},
        {"text version keeps the text's breaks", "task one\r\n\r\n", "task one and two\nz", true,
         "task one and two\r\r\n"},
        // Which box the merged line carries.
        {"key ticked", "{x}task one\r\n", "{ }task one\r\nz", true, "{x}task one\r\r\n"},
        {"text ticked", "{ }task one\r\n", "{X}task one\r\nz", true, "{X}task one\r\r\n"},
        {"neither ticked: key's", "{}task one\r\n", "{  }task one\r\nz", true, "{}task one\r\r\n"},
        {"only the text has one", "task one\r\n", "{  }task one\r\nz", true, "{  }task one\r\r\n"},
        {"only the key has one", "{ x}task one\r\n", "zz\r\ntask one\r\nz", true,
         "{ x}task one\r\r\n"},
        {"text version, key ticked", "{x}task one\r\n", "{ }task one and two\r\nz", true,
         "{x}task one and two\r\r\n"},
        {"text version, both ticked: text's", "{x}task one\r\n", "{X}task one and two\r\nz", true,
         "{X}task one and two\r\r\n"},
        {"text version, neither ticked: text's", "{}task one\r\n", "{ }task one and two\r\nz", true,
         "{ }task one and two\r\r\n"},
        {"text version, no text box", "{}task one\r\n", "zz\r\ntask one and two\r\nz", true,
         "{}task one and two\r\r\n"},
        {"first line of the text, key's box longer", "{  }abcdef\r\n", "{}abcdef\r\nz", true,
         "{  }abcdef\r\r\n"},
        // Keys broken by lone LFs or CRs keep their line.
        {"LF only", "abc\n", "abc\r\nz", true, "abc\r\r\n"},
        {"LF CR LF", "abcdef\n\r\n", "abcdef\r\nz", true, "abcdef\r\r\n\r\r\n"},
        {"LF only, text ends after the body", "abc\n", "xy\r\nabc", true, "abc\r\r\n"},
        {"CR only", "abc\r", "abc\rz", true, "abc\r\r\r\n"},
        {"empty key", "", "abc", false, ""},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string line = "unchanged";
        EXPECT_EQ(MatchLine(c.key, c.text, line), c.found);
        EXPECT_EQ(visible(line), visible(c.found ? c.line : "unchanged"));
    }
}

// Line bodies of a text without their check boxes, as a reader of the page sees them.
std::vector<std::string> lineBodies(const std::string& text)
{
    std::vector<std::string> bodies;
    std::string current;
    for (const char c : text + '\n') {
        if (c != '\r' && c != '\n' && c != '\0') {
            current += c;
            continue;
        }
        for (const std::size_t close : {3u, 2u, 1u}) {
            if (current.size() > close && current[0] == '{' && current[close] == '}') {
                current.erase(0, close + 1);
                break;
            }
        }
        if (!current.empty()) {
            bodies.push_back(current);
        }
        current.clear();
    }
    return bodies;
}

std::string randomText(std::mt19937& random, const std::vector<std::string>& pool)
{
    static const char* const kBoxes[] = {"", "", "", "{}", "{x}", "{ }", "{ x}", "{X}"};
    static const char* const kBreaks[] = {"\r\n",     "\r\n",   "\r\r\n", "\n",
                                          "\r\n\r\n", "\n\r\n", "\r"};
    std::string text;
    for (const std::string& line : pool) {
        if (random() % 3 == 0) {
            continue;
        }
        text += kBoxes[random() % std::size(kBoxes)];
        text += line;
        text += random() % 40 == 0 ? "\0"s : kBreaks[random() % std::size(kBreaks)];
    }
    if (!text.empty() && random() % 4 == 0) {
        text.pop_back(); // the last line may have no break of its own
    }
    return text;
}

std::set<std::string> bodySet(const std::string& text)
{
    const std::vector<std::string> bodies = lineBodies(text);
    return {bodies.begin(), bodies.end()};
}

// Random page texts over a pool of lines that each start with their own number, so no two
// lines of the pool pass for versions of each other.
TEST(MergeText, NoLineOfEitherTextIsLost)
{
    std::mt19937 random(1997);
    for (const std::size_t poolSize : {5u, 40u, 1500u}) {
        const int rounds = poolSize > 1000 ? 2 : 100;
        for (int round = 0; round < rounds; ++round) {
            std::vector<std::string> pool;
            for (std::size_t i = 0; i < poolSize; ++i) {
                std::string line = "L" + std::to_string(10000 + i).substr(1) + " ";
                const std::size_t words = 1 + random() % 6;
                for (std::size_t w = 0; w < words; ++w) {
                    line += "word" + std::to_string(random() % 50) + " ";
                }
                pool.push_back(line);
            }
            const auto shuffled = [&] {
                std::shuffle(pool.begin(), pool.end(), random);
                return randomText(random, pool);
            };
            std::string a = shuffled();
            std::string b = shuffled();
            const std::string lastA = round % 2 == 0 ? shuffled() : "";
            const std::string lastB = round % 3 == 0 ? shuffled() : "";
            const std::string originalA = a;
            const std::string originalB = b;
            SCOPED_TRACE("pool " + std::to_string(poolSize) + ", round " + std::to_string(round) +
                         ", a " + visible(a) + ", b " + visible(b) + ", last a " + visible(lastA) +
                         ", last b " + visible(lastB));

            const std::set<std::string> merged = bodySet(MergeText(a, b, &lastA, &lastB));
            const std::set<std::string> inA = bodySet(originalA);
            const std::set<std::string> inB = bodySet(originalB);
            const std::set<std::string> inLastA = bodySet(lastA);
            const std::set<std::string> inLastB = bodySet(lastB);
            for (const std::string& body : inA) {
                // A line that both sides hold stays even when it was filed before; a line of one
                // side stays unless a last page holds it.
                const bool filed = inLastA.count(body) || inLastB.count(body);
                if (inB.count(body) || !filed) {
                    ASSERT_TRUE(merged.count(body)) << "lost: " << body;
                }
            }
            for (const std::string& body : inB) {
                const bool filed = inLastA.count(body) || inLastB.count(body);
                if (inA.count(body) || !filed) {
                    ASSERT_TRUE(merged.count(body)) << "lost: " << body;
                }
            }
            for (const std::string& body : merged) {
                ASSERT_TRUE(inA.count(body) || inB.count(body)) << "made up: " << body;
            }
            if (poolSize > 1000) {
                EXPECT_GT(std::max(originalA.size(), originalB.size()), 32768u);
            }
        }
    }
}

} // namespace
} // namespace daylark::test
