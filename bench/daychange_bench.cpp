// Times the change of day of a whole data set, as the first start on a new day runs it: the
// page is split and filed, the lists give up their done lines, past one-time alarms leave the
// alarm file, due notes join the new page, and every file is written. Each run works on a
// fresh copy of the set's small files and of the year archive that grows.

#include "app/DaylarkApp.h"
#include "bench/ProcessRun.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/Locations.h"
#include "platform/MessageSink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <vector>

using daylark::bench::median;

namespace {

using namespace daylark;
namespace fs = std::filesystem;

class QuietMessages : public MessageSink
{
public:
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons) override
    {
        if (icon == MessageIcon::Exclamation) {
            std::cerr << caption << ": " << text << '\n';
            ++failures;
        }
        return MessageAnswer::Ok;
    }
    void notify(const std::string&, const std::string&) override {}
    int failures = 0;
};

class GivenClock : public Clock
{
public:
    explicit GivenClock(std::int64_t now)
        : m_now(now)
    {}
    std::int64_t now() const override { return m_now; }

private:
    std::int64_t m_now;
};

/// Copies every file of `from` except the year archives the change of day does not touch.
void copySet(const fs::path& from, const fs::path& to, int year)
{
    fs::remove_all(to);
    fs::create_directories(to);
    const std::string grows = std::to_string(year) + ".dlk";
    for (const auto& entry : fs::directory_iterator(from)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && (name.find(".dlk") == std::string::npos || name == grows)) {
            fs::copy_file(entry.path(), to / name);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: daychange_bench SET\n"
                     "SET is a data set whose current-day page is from yesterday "
                     "(make-diary --now YESTERDAY).\n";
        return 2;
    }
    const fs::path set = argv[1];
    const fs::path work = fs::temp_directory_path() / "daylark-daychange-bench";
    constexpr int kRuns = 15;
    std::vector<double> millis;
    std::size_t listsBefore = 0;
    QuietMessages messages;
    for (int run = 0; run < kRuns; ++run) {
        // The page of the set is from yesterday; "now" is the same time of day today.
        LocationOptions options{set.string(), (work / "daylark.ini").string(), {}};
        const auto noEnvironment = [](const char*) -> const char* { return nullptr; };
        std::int64_t now = 0;
        {
            GivenClock probeClock(0);
            DaylarkApp probe(Locations::resolve(options, noEnvironment), messages, probeClock);
            probe.start();
            now = addLocalDays(probe.doc().pageDate(), 1);
        }
        copySet(set, work / "set", breakDown(now - 86400, false).year);
        options.dataDir = (work / "set").string();
        const Locations locations = Locations::resolve(options, noEnvironment);
        listsBefore = fs::file_size(locations.listsPath());

        GivenClock clock(now);
        const auto start = std::chrono::steady_clock::now();
        DaylarkApp app(locations, messages, clock);
        app.start();
        app.doc().setDueAlarms(CDaylarkDoc::DueAlarms::Ignore);
        app.frame().InitialShow(1);
        app.doc().SaveModified();
        const auto end = std::chrono::steady_clock::now();
        millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        if (!sameLocalDay(app.doc().pageDate(), now)) {
            std::cerr << "daychange_bench: the day did not change; is the set's page from "
                         "yesterday?\n";
            return 1;
        }
    }
    fs::remove_all(work);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const char* label = "change of day: 50 lists, 200 alarms, 300 notes";
    std::printf("daychange_bench: %d runs, median %.2f ms (lists file %zu bytes), %d failures\n",
                kRuns, median(millis), listsBefore, messages.failures);
    std::printf("figure\t%s\ttime (median of %d, in process)\t%.2f ms\n", label, kRuns,
                median(millis));
    std::printf("figure\t%s\tpeak memory of the process\t%.1f MB\n", label,
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    return messages.failures == 0 ? 0 : 1;
}
