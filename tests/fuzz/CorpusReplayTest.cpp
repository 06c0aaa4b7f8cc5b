#include "fuzz/FuzzDataFiles.h"
#include "fuzz/FuzzMergeText.h"
#include "fuzz/FuzzReadObject.h"
#include "fuzz/FuzzSettings.h"
#include "support/TempDir.h"

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

} // namespace
} // namespace daylark::test
