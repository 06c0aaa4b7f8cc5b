// Times `daylark-cli sync` between two data sets as a whole process: for every run both sets
// are copied afresh (with their modification times, which the synchronisation compares) into a
// scratch directory next to the first set, and the command merges the copies with --lists and
// --alarms. Prints the median, fastest and slowest wall time, the CPU time and the largest peak
// memory (resident set), and checks that each year archive ends the same size on both sides.

#include "bench/ProcessRun.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using daylark::bench::median;
using daylark::bench::ProcessRun;

namespace {

namespace fs = std::filesystem;

/// Copies every file of `from` into the new directory `to`, keeping modification times.
void copySet(const fs::path& from, const fs::path& to)
{
    fs::create_directory(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path target = to / entry.path().filename();
        fs::copy_file(entry.path(), target);
        fs::last_write_time(target, fs::last_write_time(entry.path()));
    }
}

/// Whether every year archive of `a` has a namesake of the same size in `b`, and how many.
bool archivesAgree(const fs::path& a, const fs::path& b, int& count)
{
    count = 0;
    for (const auto& entry : fs::directory_iterator(a)) {
        if (entry.path().extension() != ".dlk") {
            continue;
        }
        ++count;
        const fs::path other = b / entry.path().filename();
        if (!fs::exists(other) || fs::file_size(other) != entry.file_size()) {
            return false;
        }
    }
    return count > 0;
}

int usage()
{
    std::fprintf(stderr, "Usage: sync_bench [--runs N] [--label TEXT] DAYLARK-CLI THIS-SET "
                         "OTHER-SET\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    std::string label = "sync";
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (arg == "--label" && i + 1 < argc) {
            label = argv[++i];
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3 || runs < 1 || runs > 100) {
        return usage();
    }
    const fs::path thisSet = positional[1];
    const fs::path otherSet = positional[2];
    std::vector<ProcessRun> counted;
    bool agree = true;
    int archives = 0;
    for (int n = 0; n < runs; ++n) {
        std::string scratch = (thisSet.parent_path() / ".sync-bench-XXXXXX").string();
        if (mkdtemp(scratch.data()) == nullptr) {
            std::perror("sync_bench: mkdtemp");
            return 1;
        }
        const fs::path work = scratch;
        copySet(thisSet, work / "this");
        copySet(otherSet, work / "other");
        ProcessRun run;
        const bool ran =
            daylark::bench::runProcess({positional[0], "--data-dir", (work / "this").string(),
                                        "--profile", (work / "daylark.ini").string(), "sync",
                                        (work / "other").string() + "/", "--lists", "--alarms"},
                                       run);
        agree = agree && archivesAgree(work / "this", work / "other", archives);
        std::error_code ignored;
        fs::remove_all(work, ignored);
        if (!ran) {
            return 1;
        }
        if (run.status != 0) {
            std::fprintf(stderr,
                         "sync_bench: the sync exited with status %d; run it by hand to "
                         "see why\n",
                         run.status);
            return 1;
        }
        counted.push_back(run);
    }
    const daylark::bench::RunSummary summary = daylark::bench::summarize(counted);
    const std::vector<double>& wall = summary.wallMs;
    const std::vector<double>& cpu = summary.cpuMs;
    const long peakKb = summary.peakKb;
    std::printf("%s: %d runs: wall median %.0f ms (fastest %.0f, slowest %.0f), cpu median %.0f "
                "ms, peak memory %.1f MB; %d year archives, %s on both sides afterwards\n",
                label.c_str(), runs, median(wall), *std::min_element(wall.begin(), wall.end()),
                *std::max_element(wall.begin(), wall.end()), median(cpu), peakKb / 1024.0, archives,
                agree ? "the same size" : "NOT the same size");
    std::printf("figure\t%s\twall time (median of %d)\t%.2f s\n", label.c_str(), runs,
                median(wall) / 1e3);
    std::printf("figure\t%s\tcpu time (median of %d)\t%.2f s\n", label.c_str(), runs,
                median(cpu) / 1e3);
    std::printf("figure\t%s\tpeak memory (largest run)\t%.1f MB\n", label.c_str(), peakKb / 1024.0);
    return agree ? 0 : 1;
}
