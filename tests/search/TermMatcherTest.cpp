#include "search/TextSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace daylark::test {
namespace {

TEST(TermMatcher, FoldsOnlyAsciiLettersAndFindsTermsAnywhereInTextsOfAnyLength)
{
    const std::string longText = std::string(70000, 'a') + "Needle";
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"Buy MILK today", "milk", true},
        {"buy milk", "MiLk", true},
        {"Milk", "mILK", true},
        {"café au lait", "CAFÉ", false}, // É is not the capital of é here
        {"CAFé", "café", true},
        {"{x} done", "[x]", false}, // '[' and '{' differ only in the bit that folds letters
        {"mail@home", "mail`home", false},
        {"one\r\ntwo", "E\r\nT", true},
        {"abc mil", "milk", false},
        {"abc milk", "milk", true},
        {"aaab", "aab", true},
        {"milk", "milks", false},
        {"", "milk", false},
        {"milk", "", false},
        {longText, "NEEDLE", true},                     // found beyond 65,536 characters
        {longText.substr(0, 40000) + "zq", "ZQ", true}, // and beyond 32,767
        {longText, "needles", false},
    };
    for (const auto& [text, term, found] : cases) {
        SCOPED_TRACE(text.substr(0, 20) + " / " + term);
        EXPECT_EQ(TermMatcher(term).foundIn(text), found);
    }
}

/// Whether `term` occurs in `text`, compared byte by byte with A-Z folded: what the matcher
/// must agree with however it finds its candidates.
bool plainlyFound(const std::string& text, const std::string& term)
{
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t at = 0; !term.empty() && at + term.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < term.size() && fold(text[at + i]) == fold(term[i])) {
            ++i;
        }
        if (i == term.size()) {
            return true;
        }
    }
    return false;
}

TEST(TermMatcher, FindsATermAtEveryPlaceOfTextsOfEveryLength)
{
    // Texts around the width the matcher compares at once, with the term (or a near miss that
    // has only its anchor bytes right) at every place, in mixed case.
    for (const std::string term : {"zq", "Quiz", "x@y", "straWberry", "\xE9t\xE9"}) {
        const std::string nearMiss = std::string(1, term.front()) +
                                     std::string(term.size() - 2, '#') +
                                     std::string(1, term.back());
        for (std::size_t length = term.size(); length < 50; ++length) {
            for (std::size_t at = 0; at + term.size() <= length; ++at) {
                for (const std::string& put : {term, nearMiss}) {
                    std::string text(length, 'a');
                    for (std::size_t i = 0; i < put.size(); ++i) {
                        text[at + i] = (at + i) % 2 != 0 && put[i] >= 'a' && put[i] <= 'z'
                                           ? static_cast<char>(put[i] - 32)
                                           : put[i];
                    }
                    SCOPED_TRACE(term + " in " + text);
                    EXPECT_EQ(TermMatcher(term).foundIn(text), plainlyFound(text, term));
                }
            }
        }
    }
}

TEST(TermMatcher, FindsLongTermsAcrossBlockEdgesAndNotWhenTheTextEndsTooSoon)
{
    // Terms as long as the width compared at once and longer, at every place of texts that end
    // anywhere in the following blocks; a near miss differs from the term in one byte, at its
    // middle or its end, and a cut one stops a byte short at the end of the text.
    const std::string terms[] = {
        "Rex (urgent) now",
        "Lyon today, 9:30!",
        "the \xE9t\xE9 report: Q3 {x} done",
        "Meeting with Frau Wei\xC3\x9F at the office",
    };
    for (const std::string& term : terms) {
        std::string middle = term;
        middle[term.size() / 2] = '~';
        std::string last = term;
        last.back() = '~';
        for (std::size_t length = term.size(); length < term.size() + 36; ++length) {
            for (std::size_t at = 0; at + term.size() <= length; ++at) {
                for (const std::string& put : {term, middle, last}) {
                    std::string text(length, 'e');
                    for (std::size_t i = 0; i < put.size(); ++i) {
                        const char c = put[i];
                        text[at + i] = (at + i) % 3 == 0 && c >= 'a' && c <= 'z'
                                           ? static_cast<char>(c - 32)
                                           : c;
                    }
                    SCOPED_TRACE(term + " in " + text);
                    EXPECT_EQ(TermMatcher(term).foundIn(text), plainlyFound(text, term));
                }
            }
            const std::string cut =
                std::string(length - term.size() + 1, 'e') + term.substr(0, term.size() - 1);
            SCOPED_TRACE(term + " cut in " + cut);
            EXPECT_FALSE(TermMatcher(term).foundIn(cut));
        }
    }
}

TEST(TermMatcher, EveryByteMatchesItselfAndAnAsciiLetterItsOtherCaseOnly)
{
    // Each byte alone, and as the rarest byte of a longer term found past the first block:
    // '@' and '`', '[' and '{', 0xC9 and 0xE9 differ from each other by the letters' case bit
    // and must not match.
    const auto fold = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    for (unsigned c = 0; c < 256; ++c) {
        const TermMatcher alone(std::string(1, static_cast<char>(c)));
        const std::string term = std::string(1, static_cast<char>(c)) + "ee";
        const TermMatcher inTerm(term);
        for (unsigned d = 0; d < 256; ++d) {
            const bool same = fold(c) == fold(d);
            const std::string text = std::string(20, '.') + static_cast<char>(d) + "EE";
            if (alone.foundIn(std::string(1, static_cast<char>(d))) != same ||
                inTerm.foundIn(text) != plainlyFound(text, term)) {
                ADD_FAILURE() << "term byte " << c << ", text byte " << d;
            }
        }
    }
}

TEST(SearchTerms, CombineTwoTermsWithAndOrAndIgnoreAnEmptySecondTerm)
{
    const std::tuple<std::string, std::string, Combination, bool> cases[] = {
        {"bread", "", Combination::And, true},
        {"bread", "", Combination::Or, true},
        {"cheese", "", Combination::Or, false},
        {"bread", "BUTTER", Combination::And, true},
        {"bread", "cheese", Combination::And, false},
        {"bread", "cheese", Combination::Or, true},
        {"cheese", "butter", Combination::Or, true},
        {"cheese", "jam", Combination::Or, false},
        {"", "butter", Combination::Or, true},
        {"", "butter", Combination::And, false},
        {"", "", Combination::Or, false},
        {"", "", Combination::And, false},
    };
    for (const auto& [term1, term2, combination, found] : cases) {
        SCOPED_TRACE(term1 + (combination == Combination::And ? " and " : " or ") + term2);
        EXPECT_EQ(SearchTerms(term1, term2, combination).matches("Bread and butter"), found);
    }
}

} // namespace
} // namespace daylark::test
