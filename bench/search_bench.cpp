// Times a search command against grep over the same page texts, as whole processes: runs the
// two in turn a number of times (after warm-up runs that are not counted), with their output
// read and thrown away, and prints the median wall time of each, their ratio (search time /
// grep time), the median of the cpu-time ratios of the pairs (steadier on a busy machine) and
// the search's largest peak memory. The grep is `grep -c -i -F -r WORD DIR`; it may exit
// 1 (nothing found), the search must exit 0. Run it with LC_ALL=C: grep -i is several times
// slower in a UTF-8 locale, and the comparison is with its fastest form.

#include "bench/ProcessRun.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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
    std::fprintf(stderr, "Usage: search_bench [--runs N] [--warmup N] [--label TEXT] --word WORD "
                         "--texts DIR -- SEARCH-COMMAND [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    daylark::bench::RunOptions options{20, 3, "search"};
    std::string word;
    std::string texts;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc) {
            return usage();
        }
        const std::string value = argv[++i];
        if (arg == "--word") {
            word = value;
        } else if (arg == "--texts") {
            texts = value;
        } else if (!options.take(arg, value)) {
            return usage();
        }
    }
    if (i >= argc || word.empty() || texts.empty() || !options.valid()) {
        return usage();
    }
    const int runs = options.runs;
    const int warmup = options.warmup;
    const std::string& label = options.label;
    const std::vector<std::string> search(argv + i, argv + argc);
    const std::vector<std::string> grep = {"grep", "-c", "-i", "-F", "-r", word, texts};

    std::vector<double> searchMs;
    std::vector<double> grepMs;
    std::vector<double> cpuRatios;
    long peakKb = 0;
    for (int n = 0; n < warmup + runs; ++n) {
        ProcessRun searchRun;
        ProcessRun grepRun;
        if (!daylark::bench::runProcess(search, searchRun) ||
            !daylark::bench::runProcess(grep, grepRun)) {
            return 1;
        }
        if (searchRun.status != 0 || grepRun.status > 1) {
            std::fprintf(stderr,
                         "search_bench: %s exited with status %d; run it by hand to see why\n",
                         searchRun.status != 0 ? search[0].c_str() : "grep",
                         searchRun.status != 0 ? searchRun.status : grepRun.status);
            return 1;
        }
        if (n >= warmup) {
            searchMs.push_back(searchRun.wallMs);
            grepMs.push_back(grepRun.wallMs);
            cpuRatios.push_back(searchRun.cpuMs / std::max(grepRun.cpuMs, 0.001));
            peakKb = std::max(peakKb, searchRun.peakKb);
        }
    }
    const double searchMedian = median(searchMs);
    const double grepMedian = median(grepMs);
    const double ratio = searchMedian / grepMedian;
    const double cpuRatio = median(cpuRatios);
    std::printf("%s: %d runs each: search median %.2f ms, grep median %.2f ms, search / grep "
                "%.2f (cpu %.2f), search peak memory %.1f MB\n",
                label.c_str(), runs, searchMedian, grepMedian, ratio, cpuRatio, peakKb / 1024.0);
    std::printf("figure\t%s\tdaylark-cli search, wall time (median of %d)\t%.2f ms\n",
                label.c_str(), runs, searchMedian);
    std::printf(
        "figure\t%s\tLC_ALL=C grep -c -i -F -r over the exported texts (median of %d)\t%.2f ms\n",
        label.c_str(), runs, grepMedian);
    std::printf("figure\t%s\tsearch time / grep time\t%.2f\n", label.c_str(), ratio);
    std::printf("figure\t%s\tcpu time, search / grep (median of the pairs)\t%.2f\n", label.c_str(),
                cpuRatio);
    std::printf("figure\t%s\tsearch peak memory (largest run)\t%.1f MB\n", label.c_str(),
                peakKb / 1024.0);
    return 0;
}
