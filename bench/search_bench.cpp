// Times a search command against grep over the same page texts, as whole processes: runs the
// two in turn a number of times (after warm-up runs that are not counted), with their output
// thrown away, and prints the median wall time of each, their ratio (search time / grep time)
// and the search's largest peak memory. The grep is `grep -c -i -F -r WORD DIR`; it may exit
// 1 (nothing found), the search must exit 0.

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

namespace {

struct Run
{
    double wallMs = 0;
    long peakKb = 0;
    int status = 0;
};

bool runOnce(const std::vector<char*>& command, Run& run)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("search_bench: fork");
        return false;
    }
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(command[0], command.data());
        _exit(127);
    }
    rusage usage{};
    int status = 0;
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
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
    std::fprintf(stderr, "Usage: search_bench [--runs N] [--warmup N] [--label TEXT] --word WORD "
                         "--texts DIR -- SEARCH-COMMAND [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 20;
    int warmup = 3;
    std::string label = "search";
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
        if (arg == "--runs") {
            runs = std::atoi(value.c_str());
        } else if (arg == "--warmup") {
            warmup = std::atoi(value.c_str());
        } else if (arg == "--label") {
            label = value;
        } else if (arg == "--word") {
            word = value;
        } else if (arg == "--texts") {
            texts = value;
        } else {
            return usage();
        }
    }
    if (i >= argc || word.empty() || texts.empty() || runs < 1 || runs > 1000 || warmup < 0 ||
        warmup > 100) {
        return usage();
    }
    std::vector<char*> search(argv + i, argv + argc);
    search.push_back(nullptr);
    std::string grepName = "grep";
    std::string options = "-c";
    std::string ignoreCase = "-i";
    std::string fixed = "-F";
    std::string recursive = "-r";
    std::vector<char*> grep = {grepName.data(),  options.data(), ignoreCase.data(), fixed.data(),
                               recursive.data(), word.data(),    texts.data(),      nullptr};

    std::vector<double> searchMs;
    std::vector<double> grepMs;
    long peakKb = 0;
    for (int n = 0; n < warmup + runs; ++n) {
        Run searchRun;
        Run grepRun;
        if (!runOnce(search, searchRun) || !runOnce(grep, grepRun)) {
            return 1;
        }
        if (searchRun.status != 0 || grepRun.status > 1) {
            std::fprintf(stderr,
                         "search_bench: %s exited with status %d; run it by hand to see why\n",
                         searchRun.status != 0 ? search[0] : "grep",
                         searchRun.status != 0 ? searchRun.status : grepRun.status);
            return 1;
        }
        if (n >= warmup) {
            searchMs.push_back(searchRun.wallMs);
            grepMs.push_back(grepRun.wallMs);
            peakKb = std::max(peakKb, searchRun.peakKb);
        }
    }
    const double searchMedian = median(searchMs);
    const double grepMedian = median(grepMs);
    const double ratio = searchMedian / grepMedian;
    std::printf("%s: %d runs each: search median %.2f ms, grep median %.2f ms, search / grep "
                "%.2f, search peak memory %.1f MB\n",
                label.c_str(), runs, searchMedian, grepMedian, ratio, peakKb / 1024.0);
    std::printf("figure\t%s\tdaylark-cli search, wall time (median of %d)\t%.2f ms\n",
                label.c_str(), runs, searchMedian);
    std::printf("figure\t%s\tgrep -c -i -F -r over the exported texts (median of %d)\t%.2f ms\n",
                label.c_str(), runs, grepMedian);
    std::printf("figure\t%s\tsearch time / grep time\t%.2f\n", label.c_str(), ratio);
    std::printf("figure\t%s\tsearch peak memory (largest run)\t%.1f MB\n", label.c_str(),
                peakKb / 1024.0);
    return 0;
}
