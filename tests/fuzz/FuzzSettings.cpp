#include "fuzz/FuzzSettings.h"

#include "app/CommandLine.h"
#include "platform/CalendarColours.h"
#include "platform/Profile.h"
#include "platform/WindowPlacement.h"
#include "platform/WriteFaults.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace daylark::test {

namespace {

/// The values the program reads, and two that inputs can name in any case.
constexpr std::array<std::pair<const char*, const char*>, 7> kValues = {{
    {"Settings", "Font"},
    {"Settings", "WindowPos"},
    {"Settings", "CalendarPos"},
    {"Settings", "DockSide"},
    {"settings", "clock24"},
    {"Colours", "Today"},
    {" Other ", " key "},
}};

/// Lets the profile's saves skip their fsyncs: the fuzzer checks what they write, not that the
/// disk has it, and a save a run would wait for the disk.
class NoSyncs : public WriteFaults
{
public:
    WriteFault before(WriteCall call, std::size_t) override
    {
        return {0, 0, /*skip=*/call == WriteCall::Sync};
    }
};

void require(bool rule)
{
    if (!rule) {
        std::abort();
    }
}

void placementReadsBack(std::string_view text)
{
    const auto placement = WindowPlacement::parse(text);
    if (placement) {
        require(WindowPlacement::parse(placement->format()) == placement);
    }
}

void fuzzProfile(const std::string& bytes)
{
    static const TempDir dir; // one per process; the file is written again for every input
    const std::string path = dir.file("daylark.ini");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));
    static NoSyncs noSyncs;
    setWriteFaults(&noSyncs);
    RecordingSink sink;
    Profile profile(path, sink);
    std::vector<std::string> before;
    for (const auto& [section, key] : kValues) {
        before.push_back(profile.readString(section, key, "-"));
        profile.readInt(section, key, 7);
        placementReadsBack(before.back());
    }
    CalendarColours colours;
    colours.read(profile);

    if (profile.writeString("Settings", "Written", "a value")) {
        require(profile.readString("SETTINGS", "written", "") == "a value");
        for (std::size_t i = 0; i < kValues.size(); ++i) {
            require(profile.readString(kValues[i].first, kValues[i].second, "-") == before[i]);
        }
    }
    setWriteFaults(nullptr);
}

void fuzzCommandLine(const std::string& bytes)
{
    std::vector<std::string> arguments;
    std::string argument;
    for (const char c : bytes) {
        if (c == '\0') {
            arguments.push_back(std::exchange(argument, {}));
        } else {
            argument += c;
        }
    }
    arguments.push_back(argument);
    const CommandLine line = CommandLine::parse(arguments);
    require(line.action != CommandLine::Action::BadUsage || !line.error.empty());
}

} // namespace

void fuzzSettings(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzzProfile(bytes);
    placementReadsBack(bytes);
    fuzzCommandLine(bytes);
}

} // namespace daylark::test
