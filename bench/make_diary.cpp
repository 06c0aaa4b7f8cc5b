// make-diary: writes a synthetic Daylark data set, or another machine's copy of one, for the
// benchmarks. See makeDiaryUsage() for the command line.

#include "bench/DataSet.h"
#include "bench/DataSetFiles.h"
#include "bench/MakeDiaryOptions.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace daylark;
using namespace daylark::bench;

/// Every message of the core goes to standard error; questions are answered Cancel.
class StderrMessages : public MessageSink
{
public:
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon,
                      MessageButtons buttons) override
    {
        std::cerr << "[" << caption << "]\n" << text << '\n';
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    void notify(const std::string& text, const std::string& caption) override
    {
        std::cerr << "[" << caption << "]\n" << text << '\n';
    }
};

/// Makes `dir` when it is missing; refuses one that holds anything, so that no file of an
/// earlier set stays among the new ones.
bool prepareEmptyDirectory(const std::string& dir)
{
    std::error_code error;
    if (std::filesystem::exists(dir, error)) {
        if (!std::filesystem::is_directory(dir, error)) {
            std::cerr << "make-diary: " << dir << " is not a directory\n";
            return false;
        }
        if (!std::filesystem::is_empty(dir, error)) {
            std::cerr << "make-diary: " << dir << " is not empty; give a new or empty directory\n";
            return false;
        }
        return true;
    }
    std::filesystem::create_directories(dir, error);
    if (error) {
        std::cerr << "make-diary: cannot create " << dir << ": " << error.message() << '\n';
        return false;
    }
    return true;
}

std::size_t pageBytes(const DataSet& set)
{
    std::size_t bytes = 0;
    for (const auto& page : set.pages) {
        bytes += page.Text.size();
    }
    return bytes;
}

std::size_t archiveCount(const DataSet& set)
{
    std::set<int> years;
    for (const auto& page : set.pages) {
        years.insert(breakDown(page.Date, /*greenwich=*/false).year);
    }
    return years.size();
}

int run(const MakeDiaryOptions& options)
{
    const auto start = std::chrono::steady_clock::now();
    if (!prepareEmptyDirectory(options.outDir) ||
        (options.exportDir && !prepareEmptyDirectory(*options.exportDir)) ||
        (options.exportYearsDir && !prepareEmptyDirectory(*options.exportYearsDir))) {
        return 1;
    }
    StderrMessages messages;
    DataSet set;
    if (options.deriveFrom) {
        auto from = readDataSet(*options.deriveFrom, messages);
        if (!from) {
            std::cerr << "make-diary: cannot read the data set in " << *options.deriveFrom << '\n';
            return 1;
        }
        set = deriveDataSet(*from, options.derive);
    } else {
        set = generateDataSet(options.generate);
    }
    if (!writeDataSet(set, options.outDir, messages)) {
        std::cerr << "make-diary: writing " << options.outDir << " failed\n";
        return 1;
    }
    if (options.exportDir) {
        if (const std::string problem = exportPages(set, *options.exportDir); !problem.empty()) {
            std::cerr << "make-diary: export failed: " << problem << '\n';
            return 1;
        }
    }
    if (options.exportYearsDir) {
        if (const std::string problem = exportYears(set, *options.exportYearsDir);
            !problem.empty()) {
            std::cerr << "make-diary: export failed: " << problem << '\n';
            return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("make-diary: %zu pages (%.1f MB of text) in %zu year archives, %zu alarms, %zu "
                "lists, %zu notes written to %s in %.2f s\n",
                set.pages.size(), static_cast<double>(pageBytes(set)) / 1e6, archiveCount(set),
                set.alarms.size(), set.lists.size(), set.notes.size(), options.outDir.c_str(),
                seconds);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = parseMakeDiaryArgs(args, SystemClock().now());
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        std::cerr << "make-diary: " << *problem << "\n\n" << makeDiaryUsage();
        return 2;
    }
    const auto& options = std::get<MakeDiaryOptions>(parsed);
    if (options.help) {
        std::cout << makeDiaryUsage();
        return 0;
    }
    return run(options);
}
