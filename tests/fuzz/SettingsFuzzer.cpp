#include "fuzz/FuzzSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    daylark::test::fuzzSettings(data, size);
    return 0;
}
