// Steps backward day by day through one year of a data set's archive, as the page view's
// Backward command does (FindPage from the entry found last), and prints the time and the
// bytes read per step. One step should cost about one entry read.

#include "bench/StderrMessages.h"
#include "diary/CDaylarkPage.h"
#include "diary/CPageArchive.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace daylark;

/// This process's read counters: bytes (rchar) and read calls (syscr).
struct ReadCount
{
    long long bytes = 0;
    long long calls = 0;
};

ReadCount readSoFar()
{
    std::ifstream io("/proc/self/io");
    ReadCount count;
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            count.bytes = value;
        } else if (key == "syscr:") {
            count.calls = value;
        }
    }
    return count;
}

struct Walk
{
    int steps = 0;
    int found = 0;
    double seconds = 0;
    ReadCount read;
};

/// From the day after the year's last day back to its first, one Backward step a day.
Walk walkBack(const std::string& path, int year, MessageSink& messages, const Clock& clock)
{
    CPageArchive archive(path, messages, clock);
    Walk walk;
    if (archive.Open(/*loading=*/true, /*create=*/false) != 0) {
        return walk;
    }
    const std::int64_t first = makeLocalTime(year, 1, 1, 12);
    std::int64_t shown = makeLocalTime(year + 1, 1, 1, 12);
    std::unique_ptr<CDaylarkPage> page;
    const ReadCount before = readSoFar();
    const auto start = std::chrono::steady_clock::now();
    while (shown > first) {
        shown = addLocalDays(shown, -1);
        const bool fromEnd = !archive.positionsValid();
        if (archive.FindPage(page, shown, fromEnd, /*backward=*/true, /*takeAny=*/false) > 0) {
            ++walk.found;
        }
        archive.setPositionsValid(true);
        ++walk.steps;
    }
    walk.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const ReadCount after = readSoFar();
    walk.read = {after.bytes - before.bytes, after.calls - before.calls};
    archive.Close();
    return walk;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::cerr << "Usage: findpage_bench DATADIR YEAR [WALKS]\n";
        return 2;
    }
    const std::string dir = argv[1];
    const int year = std::atoi(argv[2]);
    const int walks = argc == 4 ? std::atoi(argv[3]) : 5;
    const std::string path = joinPath(dir, std::to_string(year) + ".dlk");
    const FileStatus status = fileStatus(path);
    if (!status.exists || walks < 1) {
        std::cerr << "findpage_bench: there is no archive " << path << '\n';
        return 1;
    }
    bench::StderrMessages messages;
    const SystemClock clock;
    std::vector<double> perStep;
    Walk walk;
    for (int i = 0; i < walks; ++i) {
        walk = walkBack(path, year, messages, clock);
        if (messages.failures > 0 || walk.steps == 0) {
            std::cerr << "findpage_bench: the walk through " << path << " failed\n";
            return 1;
        }
        perStep.push_back(walk.seconds / walk.steps * 1e6);
    }
    std::sort(perStep.begin(), perStep.end());
    const double entryKb = static_cast<double>(status.size) / std::max(walk.found, 1) / 1024.0;
    const double bytesPerStep = static_cast<double>(walk.read.bytes) / walk.steps / 1024.0;
    const double callsPerStep = static_cast<double>(walk.read.calls) / walk.steps;
    std::printf("findpage_bench: %s: %d steps back, %d pages found (mean entry %.2f KB); median "
                "%.1f us per step of %d walks; %.2f KB in %.2f read calls per step\n",
                path.c_str(), walk.steps, walk.found, entryKb, perStep[perStep.size() / 2], walks,
                bytesPerStep, callsPerStep);
    std::printf("figure\tFindPage, backward through %d\ttime per step (median of %d walks)\t%.1f "
                "us\n",
                year, walks, perStep[perStep.size() / 2]);
    std::printf("figure\tFindPage, backward through %d\tbytes read per step (mean entry %.2f "
                "KB)\t%.2f KB in %.1f reads\n",
                year, entryKb, bytesPerStep, callsPerStep);
    return 0;
}
