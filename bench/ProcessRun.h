#pragma once

#include <string>
#include <vector>

namespace daylark::bench {

/// What one run of a whole process cost.
struct ProcessRun
{
    double wallMs = 0;
    double cpuMs = 0;
    long peakKb = 0;          ///< largest resident set
    long long bytesRead = -1; ///< bytes read through read calls; -1 when the kernel would not tell
    int status = 0;           ///< exit status, or 128 + the signal that ended it
    /// From the start to the line `marker` on standard output; -1 when it did not come.
    double markerMs = -1;
};

/// Runs `command` (argv[0] looked up in PATH) with its output thrown away: standard output goes
/// to an unlinked temporary file, standard error to /dev/null. With a `marker`, standard output
/// is read through a pipe instead, and the time its first line that equals `marker` came is
/// kept. Returns false, with a message on standard error, when it cannot be started.
bool runProcess(const std::vector<std::string>& command, ProcessRun& run,
                const std::string& marker = {});

/// The options every whole-process benchmark takes: --runs N, --warmup N, --label TEXT.
struct RunOptions
{
    int runs = 20;
    int warmup = 2;
    std::string label;

    /// Takes `name` with its `value` when it is one of the three; false otherwise.
    bool take(const std::string& name, const std::string& value);
    /// Whether the counts are within reason (1 to 1000 runs, 0 to 100 warm-up runs).
    bool valid() const;
};

/// What a number of runs cost together: each run's times in the order run, the largest peak
/// memory and the most bytes read.
struct RunSummary
{
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
    std::vector<double> markerMs;
    long peakKb = 0;
    long long bytesRead = -1;
};

RunSummary summarize(const std::vector<ProcessRun>& runs);

/// The median (the mean of the middle two for an even count); 0 for no values.
double median(std::vector<double> values);

} // namespace daylark::bench
