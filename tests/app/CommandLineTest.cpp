#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace daylark {
namespace {

using Arguments = std::vector<std::string>;
using Value = std::optional<std::string>;

std::string joined(const Arguments& arguments)
{
    std::string text;
    for (const std::string& argument : arguments) {
        text += "[" + argument + "] ";
    }
    return text;
}

TEST(CommandLine, OptionsTakeTheirValueEitherWayAndTheDayFileAlone)
{
    struct Case
    {
        Arguments arguments;
        Value dataDir;
        Value profile;
        Value dayFile;
        bool embedding;
    };
    const Case cases[] = {
        {{}, {}, {}, {}, false},
        {{"--data-dir", "d", "--profile", "p.ini", "--day-file", "x.day"},
         "d",
         "p.ini",
         "x.day",
         false},
        {{"--data-dir=d", "--profile=p.ini", "--day-file=x.day"}, "d", "p.ini", "x.day", false},
        // A separate value is taken as it is, even when it looks like an option.
        {{"--profile", "-Embedding", "--data-dir", "--help"}, "--help", "-Embedding", {}, false},
        {{"--data-dir=a=b", "--profile="}, "a=b", "", {}, false},
        {{"--data-dir", "first", "--data-dir=second"}, "second", {}, {}, false},
        {{"x.day"}, {}, {}, "x.day", false},
        {{"-"}, {}, {}, "-", false},
        {{"x.day", "--data-dir", "d"}, "d", {}, "x.day", false},
        {{"-Embedding"}, {}, {}, {}, true},
        {{"/Embedding"}, {}, {}, {}, true},
        {{"-EMBEDDING", "x.day"}, {}, {}, "x.day", true},
        {{"/eMbEdDiNg", "--day-file", "x.day"}, {}, {}, "x.day", true},
        {{"/Embeddings"}, {}, {}, "/Embeddings", false},
        // "--" ends the options: what follows is the day file, whatever it looks like.
        {{"--", "-Embedding"}, {}, {}, "-Embedding", false},
        {{"--", "--help"}, {}, {}, "--help", false},
        {{"-Embedding", "--", "/Embedding"}, {}, {}, "/Embedding", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(joined(c.arguments));
        const CommandLine line = CommandLine::parse(c.arguments);
        EXPECT_EQ(line.action, CommandLine::Action::Run) << line.error;
        EXPECT_EQ(line.locations.dataDir, c.dataDir);
        EXPECT_EQ(line.locations.profile, c.profile);
        EXPECT_EQ(line.locations.dayFile, c.dayFile);
        EXPECT_EQ(line.embedding, c.embedding);
        EXPECT_EQ(line.error, "");
    }
}

TEST(CommandLine, WhatCannotBeReadIsRefusedWithTheReason)
{
    const std::string both = "give the current-day file either with --day-file or alone, not both";
    const std::pair<Arguments, std::string> cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"-x", "x.day"}, "unknown option -x"},
        {{"--data-directory=d"}, "unknown option --data-directory=d"},
        {{"--embedding"}, "unknown option --embedding"},
        {{"--data-dir"}, "--data-dir needs a value"},
        {{"x.day", "--profile"}, "--profile needs a value"},
        {{"--day-file"}, "--day-file needs a value"},
        {{"a.day", "b.day"}, "only one current-day file can be given"},
        {{"a.day", "--", "b.day"}, "only one current-day file can be given"},
        {{"a.day", "--day-file", "b.day"}, both},
        {{"--day-file=b.day", "a.day"}, both},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(joined(arguments));
        const CommandLine line = CommandLine::parse(arguments);
        EXPECT_EQ(line.action, CommandLine::Action::BadUsage);
        EXPECT_EQ(line.error, error);
    }
}

TEST(CommandLine, HelpAndVersionWinOverWhatFollowsThem)
{
    const std::pair<Arguments, CommandLine::Action> cases[] = {
        {{"--help"}, CommandLine::Action::Help},
        {{"-h"}, CommandLine::Action::Help},
        {{"--data-dir", "d", "--help", "--bogus"}, CommandLine::Action::Help},
        {{"a.day", "--day-file", "b.day", "--help"}, CommandLine::Action::Help},
        {{"--version"}, CommandLine::Action::Version},
        {{"-Embedding", "--version", "--help"}, CommandLine::Action::Version},
        {{"--version", "--data-dir"}, CommandLine::Action::Version},
    };
    for (const auto& [arguments, action] : cases) {
        SCOPED_TRACE(joined(arguments));
        EXPECT_EQ(CommandLine::parse(arguments).action, action);
    }
}

} // namespace
} // namespace daylark
