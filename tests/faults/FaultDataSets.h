#pragma once

#include "platform/FileSystem.h"
#include "support/DataSetTestFiles.h"
#include "support/WholeDataSet.h"

#include <filesystem>
#include <map>
#include <string>

// The data sets the fault tests write, and what they compare of them afterwards.
namespace daylark::test {

/// The data files of a data set (archives, current-day file, stores, settings) under `dir`,
/// sub-folders included, by relative path: an archive as the pages its readers see (a torn
/// tail is no page), a current-day file as its date and text (its flag only tells whether a
/// merge wrote it), any other file as its bytes. Side copies (".torn.", ".damaged."), the
/// lock and a synchronisation's temporary archive are left out: they hold nothing else.
inline std::map<std::string, std::string> dataFilesIn(const std::string& dir)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        std::string name = fs::relative(entry.path(), dir).string();
        // The state of a synchronisation lies under the other folder's random identity.
        if (const auto state = name.find(".sync-state/"); state != std::string::npos) {
            const auto from = state + std::string(".sync-state/").size();
            name.replace(from, name.find('/', from) - from, "*");
        }
        const std::string extension = asciiLower(entry.path().extension().string());
        if (extension == ".dlk") {
            std::string pages = "pages:";
            for (const auto& [day, text] : pagesOf(entry.path().string())) {
                pages += day + " " + text + "|";
            }
            files[name] = pages;
        } else if (extension == ".day") {
            const DayFileContent day = readDayFile(entry.path().string());
            files[name] = "day:" + std::to_string(day.pageDate) + " " + day.text;
        } else if (extension == ".fut" || extension == ".tdl" || extension == ".alm" ||
                   extension == ".ini") {
            files[name] = readFile(entry.path().string());
        }
    }
    return files;
}

/// The lines of `text`, split at every CR and LF, without empty ones.
inline std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text + "\n") {
        if (c != '\r' && c != '\n') {
            line += c;
        } else if (!line.empty()) {
            lines.push_back(std::exchange(line, {}));
        }
    }
    return lines;
}

/// Every line a data set in `dir` holds, wherever it is: the lines of each filed page and of the
/// current page, each note, each list's name and lines, each alarm's name. The files are only
/// read; a damaged one gives what reads of it.
inline std::vector<std::string> linesIn(const std::string& dir)
{
    std::vector<std::string> lines;
    const auto add = [&lines](const std::string& text) {
        for (std::string& line : splitLines(text)) {
            lines.push_back(std::move(line));
        }
    };
    for (const std::string& name : namesIn(dir)) {
        if (name.ends_with(".dlk")) {
            for (const auto& [day, text] : pagesOf(dir + "/" + name)) {
                add(text);
            }
        }
    }
    add(readDayFile(dir + "/daylark.day").text);
    RecordingSink sink;
    CFutureFile notes(dir + "/daylark.fut", sink);
    notes.setUse(FileUse::ReadOnly);
    notes.Load();
    for (const auto& note : notes.records()) {
        add(note->Text);
    }
    CTodoFile lists(dir + "/daylark.tdl", sink);
    lists.setUse(FileUse::ReadOnly);
    lists.Load();
    for (const auto& list : lists.records()) {
        add(list->Name);
        add(list->Contents);
    }
    CAlarmFile alarms(dir + "/daylark.alm", sink);
    alarms.setUse(FileUse::ReadOnly);
    alarms.Load();
    for (const auto& alarm : alarms.records()) {
        add(alarm->Name);
    }
    return lines;
}

/// The lines of `before` that no line of `after` holds.
inline std::vector<std::string> linesLost(const std::vector<std::string>& before,
                                          const std::vector<std::string>& after)
{
    std::vector<std::string> lost;
    for (const std::string& line : before) {
        if (std::none_of(after.begin(), after.end(), [&line](const std::string& kept) {
                return kept.find(line) != std::string::npos;
            })) {
            lost.push_back(line);
        }
    }
    return lost;
}

/// Temporary files of a save left behind under `dir` (".<name>.tmp-XXXXXX").
inline std::vector<std::string> savesLeftIn(const std::string& dir)
{
    namespace fs = std::filesystem;
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.path().filename().string().find(".tmp-") != std::string::npos) {
            left.push_back(entry.path().string());
        }
    }
    return left;
}

/// Gives every file under `dir` the modification time `time`: a set written again later then
/// compares with its other side exactly as before.
inline void stampFiles(const std::string& dir, std::int64_t time)
{
    namespace fs = std::filesystem;
    const auto stamp = fs::file_time_type::clock::from_sys(
        std::chrono::system_clock::from_time_t(static_cast<std::time_t>(time)));
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            fs::last_write_time(entry.path(), stamp);
        }
    }
}

/// A data set whose page of Monday 3 March 1997 (UTC) is due to be filed: done tasks in a
/// list, a past once alarm, a note due on Tuesday and open tasks to carry.
inline void writeDayChangeSet(const std::string& dir)
{
    const FixedClock clock(857000000);
    filePages(dir + "/1997.dlk", {{"1997-03-01", "saturday"}, {"1997-03-02", "sunday"}}, clock);
    saveRecords<CFutureFile>(dir + "/daylark.fut", note("1997-03-04", "tuesday's note"),
                             note("1997-05-01", "pay rent"));
    saveRecords<CTodoFile>(dir + "/daylark.tdl", list("Shopping", "{} milk\r\n{x} bread"));
    saveRecords<CAlarmFile>(dir + "/daylark.alm",
                            alarm("Dentist", "1997-03-03 09:00", Frequency::Once),
                            alarm("Tea", "1997-03-01 16:00", Frequency::Daily));
    writeDayFile(dir + "/daylark.day",
                 {2, 857347200, 0, "monday's line\r\n{} open task\r\n{x} done task"});
}

/// A second data set that differs from writeWholeDataSet's in every file: a page of another
/// day, a shared day with another line, another note, list and alarm.
inline void writeOtherDataSet(const std::string& dir)
{
    const FixedClock clock(856000000);
    filePages(dir + "/1996.dlk", {{"1996-11-20", "last autumn"}}, clock);
    filePages(dir + "/1997.dlk",
              {{"1997-03-02", "the other side's sunday"}, {"1997-03-04", "second day\r\nand more"}},
              clock);
    saveRecords<CFutureFile>(dir + "/daylark.fut", note("1997-04-02", "the other dentist"));
    saveRecords<CTodoFile>(dir + "/daylark.tdl", list("Garden", "{} seeds\r\n{} rake"));
    saveRecords<CAlarmFile>(dir + "/daylark.alm",
                            alarm("Bins", "1997-03-05 07:00", Frequency::Weekly));
    writeDayFile(dir + "/daylark.day", {2, 857347200, 0, "{} other side's task"});
}

} // namespace daylark::test
