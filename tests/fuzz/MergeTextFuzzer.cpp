#include "fuzz/FuzzMergeText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    daylark::test::fuzzMergeText(data, size);
    return 0;
}
