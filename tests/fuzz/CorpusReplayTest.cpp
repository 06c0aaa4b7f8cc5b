#include "fuzz/FuzzReadObject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace daylark::test {
namespace {

// Every input the fuzzer ever kept is read again in every build, gcc's included.
TEST(FuzzCorpus, EveryKeptInputReadsWithoutHarm)
{
    std::size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DAYLARK_FUZZ_CORPUS)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = readFile(entry.path().string());
        fuzzReadObject(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}

} // namespace
} // namespace daylark::test
