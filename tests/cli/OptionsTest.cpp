#include "cli/CliTestSupport.h"

#include <gtest/gtest.h>

namespace daylark::test {
namespace {

TEST(CliOptions, BadUsageExitsTwoWithTheUsageOnStandardError)
{
    CliHarness cli;
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"--data-dir"},
        {"--colour", "dump", "x.day"},
        {"dump"},
        {"dump", "a.day", "b.day"},
        {"dump", "notes.txt"},
        {"dump", "x.day", "--as", "pdf"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args.empty() ? std::string("(nothing)") : args.front());
        const CliRun run = cli.run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("Usage: daylark-cli"), std::string::npos);
    }
}

TEST(CliOptions, HelpAndVersionGoToStandardOutput)
{
    CliHarness cli;
    const CliRun help = cli.run({"--data-dir=/nowhere", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("dump FILE"), std::string::npos);
    const CliRun version = cli.run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("daylark-cli ", 0), 0u);
}

} // namespace
} // namespace daylark::test
