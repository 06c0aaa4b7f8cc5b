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
