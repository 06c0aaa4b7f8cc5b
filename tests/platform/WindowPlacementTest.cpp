#include "platform/WindowPlacement.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(WindowPlacement, FirstShowFollowsTheShowCommand)
{
    struct Case
    {
        std::uint32_t showCommand;
        FirstShow plain;        // flags without kRestoreToMaximized
        FirstShow wasMaximized; // flags with it
    };
    constexpr FirstShow kHidden = FirstShow::Hidden;
    constexpr FirstShow kNormal = FirstShow::Normal;
    constexpr FirstShow kMaximized = FirstShow::Maximized;
    const Case cases[] = {
        {0, kHidden, kHidden},       {1, kNormal, kNormal},          {2, kNormal, kMaximized},
        {3, kMaximized, kMaximized}, {4, kNormal, kNormal},          {5, kNormal, kNormal},
        {6, kNormal, kMaximized},    {7, kNormal, kMaximized},       {8, kNormal, kNormal},
        {9, kNormal, kNormal},       {10, kNormal, kNormal},         {11, kNormal, kMaximized},
        {12, kNormal, kNormal},      {0xFFFFFFFF, kNormal, kNormal},
    };
    for (const Case& c : cases) {
        // Only the restore-to-maximised bit of the flags counts.
        for (const std::uint32_t flags : {0u, 1u, 4u, 2u, 3u, 6u}) {
            SCOPED_TRACE("show command " + std::to_string(c.showCommand) + ", flags " +
                         std::to_string(flags));
            const bool restoreToMaximized = (flags & 2u) != 0;
            EXPECT_EQ(firstShowOf(c.showCommand, flags),
                      restoreToMaximized ? c.wasMaximized : c.plain);
        }
    }
}

} // namespace
} // namespace daylark
