#include "diary/SplitPage.h"

#include <gtest/gtest.h>

#include <vector>

namespace daylark {
namespace {

TEST(SplitPage, SortsTaskLinesAndRewritesLineBreaks)
{
    struct Case
    {
        const char* name;
        std::string text, carry, archived, done;
        bool keepDone = true; ///< false for a list: its done lines leave it
    };
    const std::vector<Case> cases = {
        {"open and done tasks", "{} Buy bread\r\n{x} Call Bob\r\nSunny day", "{} Buy bread\r\r\n",
         "{x} Call Bob\r\r\nSunny day", "{x} Call Bob\r\r\n"},
        {"blanks inside are open, anything else done", "{ } a\n{  } b\n{ x} c\n{xy} d\n",
         "{ } a\r\r\n{  } b\r\r\n", "{ x} c\r\r\n{xy} d\r\r\n", "{ x} c\r\r\n{xy} d\r\r\n"},
        {"a close tag more than three on is no tag", "{abc} stays\r\n", "", "{abc} stays\r\r\n",
         ""},
        {"text before a tag is filed without a break", "Note {} task\r\nnext", "{} task\r\r\n",
         "Note next", ""},
        {"empty lines count in the break run", "a\r\n\r\nb\r\n{} t\r\n\r\n", "{} t\r\r\n\r\r\n",
         "a\r\r\n\r\r\nb\r\r\n", ""},
        {"leading breaks are dropped", "\r\n\r\na", "", "a", ""},
        {"a task at the very end has no break", "x\r\n{}", "{}", "x\r\r\n", ""},
        {"a lone open tag character is text", "a { b\r\n", "", "a { b\r\r\n", ""},
        {"an empty page", "", "", "", ""},
        {"a list", "{} milk\r\n{x} eggs\r\nshop: corner\r\n", "{} milk\r\r\n", "shop: corner\r\r\n",
         "{x} eggs\r\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string carry = "already ";
        std::string archived;
        std::string done;
        SplitPage(c.text, carry, archived, done, c.keepDone);
        EXPECT_EQ(carry, "already " + c.carry); // appended, never replaced
        EXPECT_EQ(archived, c.archived);
        EXPECT_EQ(done, c.done);
    }
}

} // namespace
} // namespace daylark
