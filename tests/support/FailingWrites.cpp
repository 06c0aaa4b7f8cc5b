#include "support/FailingWrites.h"

namespace daylark::test {

FailingWrites::FailingWrites(std::size_t failAt, WriteFault fault)
    : m_failAt(failAt)
    , m_fault(fault)
{
    setWriteFaults(this);
}

FailingWrites::~FailingWrites()
{
    setWriteFaults(nullptr);
}

WriteFault FailingWrites::before(WriteCall call, std::size_t size)
{
    calls.push_back({call, size});
    if (calls.size() == m_failAt) {
        return m_fault;
    }
    return {0, 0, /*skip=*/call == WriteCall::Sync};
}

std::string nameOf(WriteCall call)
{
    switch (call) {
    case WriteCall::Open:
        return "Open";
    case WriteCall::Write:
        return "Write";
    case WriteCall::Sync:
        return "Sync";
    case WriteCall::Truncate:
        return "Truncate";
    case WriteCall::Rename:
        return "Rename";
    case WriteCall::MakeDirectory:
        return "MakeDirectory";
    case WriteCall::Remove:
        return "Remove";
    }
    return "?";
}

} // namespace daylark::test
