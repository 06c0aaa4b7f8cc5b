#include "platform/WriteFaults.h"

#include <atomic>

namespace daylark {

namespace {

std::atomic<WriteFaults*> g_faults{nullptr};

} // namespace

} // namespace daylark

void daylark::setWriteFaults(WriteFaults* faults)
{
    g_faults.store(faults, std::memory_order_release);
}

daylark::WriteFault daylark::writeFault(WriteCall call, std::size_t size)
{
    WriteFaults* const faults = g_faults.load(std::memory_order_acquire);
    if (faults == nullptr) {
        return {};
    }
    return faults->before(call, size);
}
