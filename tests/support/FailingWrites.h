#pragma once

#include "platform/WriteFaults.h"

#include <cstddef>
#include <string>
#include <vector>

namespace daylark::test {

/// Installs itself as the process's write faults for its lifetime: counts every write call and
/// fails the one numbered `failAt` (1 is the first; 0 fails none) with `fault`. The other
/// fsyncs are left out: a test checks what the calls do, not that the disk has them.
class FailingWrites : public WriteFaults
{
public:
    struct Call
    {
        WriteCall call;
        std::size_t size;
    };

    explicit FailingWrites(std::size_t failAt = 0, WriteFault fault = {});
    ~FailingWrites() override;
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

    WriteFault before(WriteCall call, std::size_t size) override;
    /// Whether the call to fail came.
    bool failed() const { return m_failAt != 0 && calls.size() >= m_failAt; }

    std::vector<Call> calls;

private:
    std::size_t m_failAt;
    WriteFault m_fault;
};

/// "Write", "Sync", ... for traces.
std::string nameOf(WriteCall call);

} // namespace daylark::test
