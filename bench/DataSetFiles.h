#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace daylark {
class MessageSink;
struct CDaylarkPage;
} // namespace daylark

namespace daylark::bench {

struct DataSet;

/// The bytes of a year archive that holds `pages` (in order), created at `created`: the file
/// CPageArchive makes by filing the pages one after another into a new archive, written through
/// the same record stream but in memory, without an open, a scan and a sync per page.
std::string yearArchiveBytes(const std::vector<const CDaylarkPage*>& pages, std::int64_t created);

/// Writes the data set into `dir` (which must exist): the year archives "YYYY.dlk", the
/// current-day file, "daylark.alm", "daylark.tdl" and "daylark.fut". False after a failure,
/// whose message went to `messages`.
bool writeDataSet(const DataSet& set, const std::string& dir, MessageSink& messages);

/// Reads the data set of `dir` through the core's readers. Nothing after a failure, whose
/// message went to `messages`.
std::optional<DataSet> readDataSet(const std::string& dir, MessageSink& messages);

/// Writes every filed page's text, bytes as stored, as "dir/YYYY/YYYY-MM-DD.txt", for the
/// ordinary text tools. Returns an empty string, or what went wrong.
std::string exportPages(const DataSet& set, const std::string& dir);

/// Writes the page texts one file per year, DIR/YYYY.txt, each text followed by CR LF so that
/// no line runs from one page into the next, for tools that read one file per year. Gives
/// what failed, or nothing.
std::string exportYears(const DataSet& set, const std::string& dir);

} // namespace daylark::bench
