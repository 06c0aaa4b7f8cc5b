// Times a command as a whole process: runs it a number of times (after warm-up runs that are
// not counted) with its output thrown away, and prints the median, fastest and slowest wall
// time, the CPU time, the largest peak memory (resident set) of any run and the bytes the
// process read, as the kernel counted them. The command's output (standard output and standard
// error) is thrown away; a run that exits with another status than 0 ends the benchmark.

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

namespace {

struct Run
{
    double wallMs = 0;
    double cpuMs = 0;
    long peakKb = 0;
    long long bytesRead = -1; ///< -1 when the kernel would not tell
    int status = 0;
};

/// rchar of /proc/PID/io: every byte the process read through read calls.
long long bytesReadBy(pid_t pid)
{
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return -1;
}

bool runOnce(char** command, Run& run)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("command_bench: fork");
        return false;
    }
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(command[0], command);
        std::fprintf(stderr, "command_bench: cannot run %s: %s\n", command[0],
                     std::strerror(errno));
        _exit(127);
    }
    // Wait without reaping first, so that the finished process's counters can still be read.
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
    }
    const auto stop = std::chrono::steady_clock::now();
    run.bytesRead = bytesReadBy(pid);
    rusage usage{};
    int status = 0;
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.wallMs = std::chrono::duration<double, std::milli>(stop - start).count();
    run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int usage()
{
    std::fprintf(stderr, "Usage: command_bench [--runs N] [--warmup N] [--label TEXT] -- COMMAND "
                         "[ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 20;
    int warmup = 2;
    std::string label = "command";
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
        if (arg == "--runs") {
            runs = std::atoi(argv[++i]);
        } else if (arg == "--warmup") {
            warmup = std::atoi(argv[++i]);
        } else if (arg == "--label") {
            label = argv[++i];
        } else {
            return usage();
        }
    }
    if (i >= argc || runs < 1 || runs > 1000 || warmup < 0 || warmup > 100) {
        return usage();
    }
    char** command = argv + i;

    std::vector<Run> counted;
    for (int n = 0; n < warmup + runs; ++n) {
        Run run;
        if (!runOnce(command, run)) {
            return 1;
        }
        if (run.status != 0) {
            std::fprintf(stderr,
                         "command_bench: %s exited with status %d; run it by hand to see why\n",
                         command[0], run.status);
            return 1;
        }
        if (n >= warmup) {
            counted.push_back(run);
        }
    }
    std::vector<double> wall;
    std::vector<double> cpu;
    long peakKb = 0;
    long long bytesRead = -1;
    for (const Run& run : counted) {
        wall.push_back(run.wallMs);
        cpu.push_back(run.cpuMs);
        peakKb = std::max(peakKb, run.peakKb);
        bytesRead = std::max(bytesRead, run.bytesRead);
    }
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
