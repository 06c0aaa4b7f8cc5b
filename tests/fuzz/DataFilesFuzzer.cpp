#include "fuzz/FuzzDataFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    daylark::test::fuzzDataFiles(data, size);
    return 0;
}
