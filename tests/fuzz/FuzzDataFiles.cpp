#include "fuzz/FuzzDataFiles.h"

#include "cli/CliMain.h"
#include "support/FixedClock.h"
#include "support/TempDir.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace daylark::test {

namespace {

/// The files one input can stand for, with the kind `dump` reads it as.
struct FileKind
{
    const char* name;
    const char* dumpAs;
};
constexpr std::array<FileKind, 6> kKinds = {{
    {"daylark.day", "day"},
    {"1997.dlk", "archive"},
    {"daylark.fut", "fut"},
    {"daylark.tdl", "tdl"},
    {"daylark.alm", "alm"},
    {"daylark.ini", nullptr},
}};

/// Every read-only command over the data set, each reading one or more of the files.
const std::vector<std::vector<std::string>> kReadingCommands = {
    {"check"},
    {"pages", "1997"},
    {"page", "1997-01-02"},
    {"search", "word", "--or", "caf\xC3\xA9", "--months", "400"},
    {"alarms", "1997-03-03"},
    {"list"},
    {"list", "Books"},
    {"note", "1997-03-04"},
    {"calendar", "1997-03"},
    {"export", "ics", "-"},
};

void run(std::vector<std::string> args, const std::filesystem::path& home)
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const std::string data = (home / "data").string();
    const std::string config = (home / "config").string();
    const std::string homeText = home.string();
    const auto getenv = [&](const std::string_view name) -> const char* {
        if (name == "HOME") {
            return homeText.c_str();
        }
        if (name == "DAYLARK_DATA_DIR") {
            return data.c_str();
        }
        if (name == "XDG_CONFIG_HOME") {
            return config.c_str();
        }
        return nullptr;
    };
    const FixedClock clock(857397900); // Monday 3 March 1997
    args.insert(args.begin(), {"--profile", (home / "data" / "daylark.ini").string()});
    CliEnvironment env{in, out, err, getenv, clock, std::chrono::milliseconds(0)};
    runCli(args, env);
}

} // namespace

void fuzzDataFiles(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return;
    }
    static const TempDir dir; // one per process; emptied for every input
    const std::filesystem::path home(dir.path());
    std::filesystem::remove_all(home / "data");
    std::filesystem::remove_all(home / "export");
    std::filesystem::create_directories(home / "data");
    const FileKind& kind = kKinds[data[0] % kKinds.size()];
    const std::filesystem::path file = home / "data" / kind.name;
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));

    if (kind.dumpAs != nullptr) {
        run({"dump", file.string(), "--as", kind.dumpAs}, home);
    }
    for (const auto& command : kReadingCommands) {
        run(command, home);
    }
    run({"export", "markdown", (home / "export").string()}, home);
}

} // namespace daylark::test
