#include "bench/ProcessRun.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace daylark::bench {

namespace {

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

/// Reads `fd` to its end; gives the time from `start` to the first whole line equal to
/// `marker`, or -1.
double readUntilEnd(int fd, const std::string& marker, std::chrono::steady_clock::time_point start)
{
    double markerMs = -1;
    std::string line;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return markerMs;
        }
        for (ssize_t i = 0; i < got; ++i) {
            if (buffer[i] != '\n') {
                line.push_back(buffer[i]);
                continue;
            }
            if (markerMs < 0 && line == marker) {
                markerMs = std::chrono::duration<double, std::milli>(
                               std::chrono::steady_clock::now() - start)
                               .count();
            }
            line.clear();
        }
    }
}

} // namespace

bool runProcess(const std::vector<std::string>& command, ProcessRun& run, const std::string& marker)
{
    std::vector<std::string> args = command;
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    // Standard output never goes to /dev/null, where grep, for one, stops at each file's first
    // match: it goes to an unlinked temporary file, or through a pipe read as it comes when a
    // marker is awaited (a pipe wakes this process at every write, which costs the command
    // time on a busy machine).
    int output[2] = {-1, -1};
    if (marker.empty()) {
        output[1] = open(P_tmpdir, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (output[1] < 0) {
            std::perror("temporary file in " P_tmpdir);
            return false;
        }
    } else if (pipe2(output, O_CLOEXEC) != 0) {
        std::perror("pipe");
        return false;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        for (const int fd : output) {
            if (fd >= 0) {
                close(fd);
            }
        }
        return false;
    }
    if (pid == 0) {
        dup2(output[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(output[1]);
    if (output[0] >= 0) {
        run.markerMs = readUntilEnd(output[0], marker, start);
        close(output[0]);
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
    run.cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (run.status == 127) {
        std::fprintf(stderr, "cannot run %s\n", argv[0]);
    }
    return true;
}

bool RunOptions::take(const std::string& name, const std::string& value)
{
    if (name == "--runs") {
        runs = std::atoi(value.c_str());
    } else if (name == "--warmup") {
        warmup = std::atoi(value.c_str());
    } else if (name == "--label") {
        label = value;
    } else {
        return false;
    }
    return true;
}

bool RunOptions::valid() const
{
    return runs >= 1 && runs <= 1000 && warmup >= 0 && warmup <= 100;
}

RunSummary summarize(const std::vector<ProcessRun>& runs)
{
    RunSummary summary;
    for (const ProcessRun& run : runs) {
        summary.wallMs.push_back(run.wallMs);
        summary.cpuMs.push_back(run.cpuMs);
        summary.markerMs.push_back(run.markerMs);
        summary.peakKb = std::max(summary.peakKb, run.peakKb);
        summary.bytesRead = std::max(summary.bytesRead, run.bytesRead);
    }
    return summary;
}

double median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace daylark::bench
