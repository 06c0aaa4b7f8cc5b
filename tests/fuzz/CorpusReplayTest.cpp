#include "fuzz/FuzzDataFiles.h"
#include "fuzz/FuzzMergeText.h"
#include "fuzz/FuzzReadObject.h"
#include "fuzz/FuzzSettings.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WholeDataSet.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace daylark::test {
namespace {

/// Runs `fuzz` on every input kept in `corpus`; how many there were.
std::size_t replay(const char* corpus, void (*fuzz)(const std::uint8_t*, std::size_t))
{
    std::size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = readFile(entry.path().string());
        fuzz(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    return replayed;
}

// Every input the fuzzers ever kept is read again in every build, gcc's included.
TEST(FuzzCorpus, EveryKeptInputReadsWithoutHarm)
{
    EXPECT_GT(replay(DAYLARK_FUZZ_CORPUS, fuzzReadObject), 0u);
    EXPECT_GT(replay(DAYLARK_FILES_CORPUS, fuzzDataFiles), 0u);
    EXPECT_GT(replay(DAYLARK_MERGE_CORPUS, fuzzMergeText), 0u);
    EXPECT_GT(replay(DAYLARK_SETTINGS_CORPUS, fuzzSettings), 0u);
}

// Each byte of a small real file of every kind, flipped in turn, read by every command.
TEST(FuzzCorpus, EveryByteOfARealFileFlippedReadsWithoutHarm)
{
    const ScopedTimeZone zone(kEastern);
    TempDir dir;
    writeWholeDataSet(dir.path());
    writeFile(dir.file("daylark.ini"),
              "[Settings]\nUseUTC=yes\nWindowPos=0,1,-1,-1,10,10,500,400\n");
    // The kinds in the order the data-file fuzz target's first byte chooses them.
    const char* kinds[] = {"daylark.day", "1997.dlk",    "daylark.fut",
                           "daylark.tdl", "daylark.alm", "daylark.ini"};
    std::size_t flipped = 0;
    for (std::size_t kind = 0; kind < std::size(kinds); ++kind) {
        const std::string bytes = readFile(dir.file(kinds[kind]));
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            std::string input = static_cast<char>(kind) + bytes;
            input[at + 1] = static_cast<char>(input[at + 1] ^ 0xFF);
            fuzzDataFiles(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
            ++flipped;
        }
    }
    EXPECT_GT(flipped, 300u);
}

} // namespace
} // namespace daylark::test
