#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <utility>

namespace daylark {
namespace {

TEST(WindowPlacement, OnlyTenNumbersMakeAPlacement)
{
    const std::pair<const char*, bool> cases[] = {
        {"0,1,2,3,4,5,6,7,8,9", true},
        {" 0, 1,+2,-3,4,5,6,7,8,9,10 and more", true},
        {"0,1,2,3,4,5,6,7,8", false},
        {"0,1,2,3,4,5,6,7,8,", false},
        {"0,1,2,3,4,x,6,7,8,9", false},
        {"0 ,1,2,3,4,5,6,7,8,9", false},
        {"0,1,2,3,4,5,6,7,8,99999999999", false},
        {"", false},
    };
    for (const auto& [text, valid] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(WindowPlacement::parse(text).has_value(), valid);
    }
    const auto negative = WindowPlacement::parse("-1,1,2,3,4,5,6,7,8,9");
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->flags, 0xFFFFFFFFu); // %u keeps the bits of a negative number
    EXPECT_EQ(WindowPlacement::parse(negative->format()), negative);
}

} // namespace
} // namespace daylark
