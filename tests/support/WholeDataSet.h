#pragma once

#include "support/DataSetTestFiles.h"

#include <map>
#include <string>
#include <vector>

// A small data set with one file of every kind, for the tests of the data check to damage.
namespace daylark::test {

inline const std::vector<DatedText> kFourPages = {{"1997-03-03", "{x} tea bought"},
                                                  {"1997-03-04", "second day"},
                                                  {"1997-03-05", "third day"},
                                                  {"1997-03-06", "fourth day"}};

/// Writes the set into `dir` (which exists): 1997.dlk with kFourPages, two notes, two lists, three
/// alarms and a current-day file. Pages are dated in local time: the caller sets TZ.
inline void writeWholeDataSet(const std::string& dir)
{
    const FixedClock clock(857000000);
    filePages(dir + "/1997.dlk", kFourPages, clock);
    saveRecords<CFutureFile>(dir + "/daylark.fut", note("1997-04-01", "dentist"),
                             note("1997-05-01", "pay rent"));
    saveRecords<CTodoFile>(dir + "/daylark.tdl", list("Books", "{} Emma"),
                           list("Shopping", "{} milk\r\n{} bread"));
    saveRecords<CAlarmFile>(dir + "/daylark.alm",
                            alarm("Tea", "1997-03-03 16:00", Frequency::Daily),
                            alarm("Rent", "1997-03-01 09:00", Frequency::Monthly),
                            alarm("Mum", "1997-06-02 08:00", Frequency::Birthday));
    writeDayFile(dir + "/daylark.day", {2, 857347200, 0, "{} call the plumber"});
}

/// The start of each entry of an archive, in file order, and its length at the end.
inline std::vector<std::int64_t> entryStarts(const std::string& path)
{
    std::vector<std::int64_t> starts;
    File file(path, File::Mode::Read);
    for (const ArchiveEntry& entry : scanArchive(file).entries) {
        starts.push_back(entry.start);
    }
    starts.push_back(file.length());
    return starts;
}

/// Every file of a directory with its bytes.
inline std::map<std::string, std::string> contentsOf(const std::string& dir)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : namesIn(dir)) {
        files[name] = readFile(dir + "/" + name);
    }
    return files;
}

} // namespace daylark::test
