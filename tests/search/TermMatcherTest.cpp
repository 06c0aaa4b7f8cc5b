#include "search/TextSearch.h"

#include <gtest/gtest.h>

#include <string>

namespace daylark::test {
namespace {

TEST(TermMatcher, FoldsOnlyAsciiLettersAndFindsTermsAnywhereInTextsOfAnyLength)
{
    struct Case
    {
        std::string text;
        std::string term;
        bool found;
    };
    const std::string longText = std::string(70000, 'a') + "Needle";
    const Case cases[] = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20) + " / " + c.term);
        EXPECT_EQ(TermMatcher(c.term).foundIn(c.text), c.found);
    }
}

TEST(SearchTerms, CombineTwoTermsWithAndOrAndIgnoreAnEmptySecondTerm)
{
    struct Case
    {
        std::string term1;
        std::string term2;
        Combination combination;
        bool found;
    };
    const std::string text = "Bread and butter";
    const Case cases[] = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.term1 + " / " + c.term2 +
                     (c.combination == Combination::And ? " and" : " or"));
        EXPECT_EQ(SearchTerms(c.term1, c.term2, c.combination).matches(text), c.found);
    }
}

} // namespace
} // namespace daylark::test
