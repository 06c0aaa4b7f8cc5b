#include "fuzz/FuzzReadObject.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    daylark::test::fuzzReadObject(data, size);
    return 0;
}
