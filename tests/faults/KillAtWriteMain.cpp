// daylark-cli for the kill tests: it ends itself with SIGKILL right before the write call whose
// number DAYLARK_TEST_KILL_AT_WRITE gives (1 is the first), as a crash or a power cut would end
// it there. Built as a test program only and never installed, so no user's daylark-cli reads
// the variable.
#include "cli/CliMain.h"
#include "platform/WriteFaults.h"

#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

class KillAtWrite : public daylark::WriteFaults
{
public:
    explicit KillAtWrite(unsigned long at)
        : m_at(at)
    {}

    daylark::WriteFault before(daylark::WriteCall call, std::size_t) override
    {
        if (++m_calls == m_at) {
            std::raise(SIGKILL);
        }
        // What a killed process leaves is in the page cache whether or not it was synced.
        return {0, 0, /*skip=*/call == daylark::WriteCall::Sync};
    }

private:
    unsigned long m_at;
    unsigned long m_calls = 0;
};

} // namespace

int main(int argc, char** argv)
{
    std::optional<KillAtWrite> killer;
    if (const char* at = std::getenv("DAYLARK_TEST_KILL_AT_WRITE")) {
        killer.emplace(std::stoul(at));
        daylark::setWriteFaults(&*killer);
    }
    return daylark::runCliProcess(argc, argv);
}
