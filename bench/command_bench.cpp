// Times a command as a whole process: runs it a number of times (after warm-up runs that are
// not counted) with its output thrown away, and prints the median, fastest and slowest wall
// time, the CPU time, the largest peak memory (resident set) of any run and the bytes the
// process read, as the kernel counted them. The command's output (standard output and standard
// error) is thrown away; a run that exits with another status than 0 ends the benchmark.

#include "bench/ProcessRun.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using daylark::bench::median;
using daylark::bench::ProcessRun;

namespace {

int usage()
{
    std::fprintf(stderr, "Usage: command_bench [--runs N] [--warmup N] [--label TEXT] -- COMMAND "
                         "[ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    daylark::bench::RunOptions options{20, 2, "command"};
    int i = 1;
    for (; i < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc || !options.take(arg, argv[i + 1])) {
            return usage();
        }
    }
    if (i >= argc || !options.valid()) {
        return usage();
    }
    const int runs = options.runs;
    const int warmup = options.warmup;
    const std::string& label = options.label;
    const std::vector<std::string> command(argv + i, argv + argc);

    std::vector<ProcessRun> counted;
    for (int n = 0; n < warmup + runs; ++n) {
        ProcessRun run;
        if (!daylark::bench::runProcess(command, run)) {
            return 1;
        }
        if (run.status != 0) {
            std::fprintf(stderr,
                         "command_bench: %s exited with status %d; run it by hand to see why\n",
                         command[0].c_str(), run.status);
            return 1;
        }
        if (n >= warmup) {
            counted.push_back(run);
        }
    }
    const daylark::bench::RunSummary summary = daylark::bench::summarize(counted);
    const std::vector<double>& wall = summary.wallMs;
    const std::vector<double>& cpu = summary.cpuMs;
    const long peakKb = summary.peakKb;
    const long long bytesRead = summary.bytesRead;
    std::printf("%s: %d runs: wall median %.2f ms (fastest %.2f, slowest %.2f), cpu median %.2f "
                "ms, peak memory %.1f MB, read %.1f KB\n",
                label.c_str(), runs, median(wall), *std::min_element(wall.begin(), wall.end()),
                *std::max_element(wall.begin(), wall.end()), median(cpu), peakKb / 1024.0,
                bytesRead / 1024.0);
    std::printf("figure\t%s\twall time (median of %d)\t%.2f ms\n", label.c_str(), runs,
                median(wall));
    std::printf("figure\t%s\tpeak memory (largest run)\t%.1f MB\n", label.c_str(), peakKb / 1024.0);
    std::printf("figure\t%s\tbytes read by the process\t%.1f KB\n", label.c_str(),
                bytesRead / 1024.0);
    return 0;
}
