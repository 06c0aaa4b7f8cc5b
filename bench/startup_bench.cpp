// Times the start of the desktop program on a data set, as whole processes on Qt's offscreen
// platform: the time from starting `daylark` until its window, with the current page in it, has
// painted, and its peak memory (resident set, mapped file pages included). With
// DAYLARK_QUIT_WHEN_SHOWN set the program says "shown" on standard output at that moment and
// quits, also from inside a box of the start (the day's alarms), so every run ends by itself;
// the data check that follows the window is not run.
//
// Each run starts on a fresh copy of the set in a scratch directory beside it, as the day's
// first start: the program takes its lock, collects the day's alarms and saves there, and the
// given set stays as it is. The bytes the process read through read calls are printed too
// (libraries and font caches are mapped, not read).

#include "bench/ProcessRun.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

using daylark::bench::median;
using daylark::bench::ProcessRun;

namespace {

namespace fs = std::filesystem;

int usage()
{
    std::fprintf(stderr, "Usage: startup_bench [--runs N] [--warmup N] [--label TEXT] DAYLARK "
                         "DATA-DIR\n");
    return 2;
}

/// Runs the program `count` times, each time on a fresh copy of `dataSet` in `work`; false
/// after a run that failed or never said its window was shown.
bool runStarts(const std::string& program, const fs::path& dataSet, const fs::path& work, int count,
               std::vector<ProcessRun>& runs)
{
    const fs::path data = work / "data";
    const std::vector<std::string> command = {program, "--data-dir", data.string(), "--profile",
                                              (work / "daylark.ini").string()};
    for (int n = 0; n < count; ++n) {
        std::error_code error;
        fs::remove_all(work, error);
        fs::create_directory(work, error);
        fs::copy(dataSet, data, fs::copy_options::recursive, error);
        if (error) {
            std::fprintf(stderr, "startup_bench: cannot copy %s: %s\n", dataSet.c_str(),
                         error.message().c_str());
            return false;
        }
        ProcessRun run;
        if (!daylark::bench::runProcess(command, run, "shown")) {
            return false;
        }
        if (run.status != 0 || run.markerMs < 0) {
            std::fprintf(
                stderr, "startup_bench: %s exited with status %d%s; run it by hand to see why\n",
                program.c_str(), run.status, run.markerMs < 0 ? " without showing its window" : "");
            return false;
        }
        runs.push_back(run);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    daylark::bench::RunOptions options{20, 3, "start-up: daylark"};
    int i = 1;
    for (; i + 1 < argc && std::string(argv[i]).rfind("--", 0) == 0; i += 2) {
        if (!options.take(argv[i], argv[i + 1])) {
            return usage();
        }
    }
    if (argc - i != 2 || !options.valid()) {
        return usage();
    }
    const fs::path dataSet = argv[i + 1];
    std::string scratch = (fs::absolute(dataSet).parent_path() / ".startup-bench-XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) {
        std::perror("startup_bench: mkdtemp");
        return 1;
    }
    const fs::path work = scratch;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("DAYLARK_QUIT_WHEN_SHOWN", "1", 1);
    std::vector<ProcessRun> warm;
    std::vector<ProcessRun> counted;
    const bool ran = runStarts(argv[i], dataSet, work, options.warmup, warm) &&
                     runStarts(argv[i], dataSet, work, options.runs, counted);
    std::error_code error;
    fs::remove_all(work, error);
    if (!ran) {
        return 1;
    }
    const daylark::bench::RunSummary summary = daylark::bench::summarize(counted);
    const std::vector<double>& shown = summary.markerMs;
    const long peakKb = summary.peakKb;
    const long long bytesRead = summary.bytesRead;
    const char* label = options.label.c_str();
    std::printf("%s: %d runs: window shown after %.1f ms (median; fastest %.1f, slowest %.1f), "
                "whole run %.1f ms, cpu %.1f ms, peak memory %.1f MB, read %.1f KB\n",
                label, options.runs, median(shown), *std::min_element(shown.begin(), shown.end()),
                *std::max_element(shown.begin(), shown.end()), median(summary.wallMs),
                median(summary.cpuMs), peakKb / 1024.0, bytesRead / 1024.0);
    std::printf("figure\t%s\ttime to the window shown (median of %d)\t%.1f ms\n", label,
                options.runs, median(shown));
    std::printf("figure\t%s\tpeak memory (largest run)\t%.1f MB\n", label, peakKb / 1024.0);
    std::printf("figure\t%s\tbytes read by the process\t%.1f KB\n", label, bytesRead / 1024.0);
    return 0;
}
