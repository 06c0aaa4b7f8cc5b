#pragma once

#include "alarms/CDaylarkAlarm.h"
#include "diary/CDaylarkPage.h"
#include "records/CDaylarkFuture.h"
#include "records/CDaylarkTodo.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace daylark::bench {

/// A whole data set in memory: what one data directory holds.
struct DataSet
{
    std::int64_t now = 0;  ///< the page date of the current-day file
    std::string todayText; ///< the current-day page
    /// The filed pages in ascending order of their dates, at most one per local day.
    std::vector<CDaylarkPage> pages;
    /// When each year's archive was created (its header), by year.
    std::map<int, std::int64_t> archiveCreated;
    std::vector<CDaylarkAlarm> alarms;
    std::vector<CDaylarkTodo> lists;
    std::vector<CDaylarkFuture> notes;
};

struct GenerateOptions
{
    int years = 10;       ///< of filed pages, ending the day before `now`
    std::int64_t now = 0; ///< the current day; must leave two years of notes below 2038
    std::uint64_t seed = 1;
    int alarms = 200;
    int lists = 50;
    int notes = 300;
    /// A phrase put on a line of its own into `plantPercent` of the pages (rounded to whole
    /// pages), at a random place among their lines; empty for none. The other pages, and the
    /// rest of the set, are those of the same options without it.
    std::string plant;
    double plantPercent = 10;
};

/// A diary of `years` years up to yesterday: a page on most days (some single days and a few
/// holidays missing), each page dated in the morning of its day; the current-day page dated
/// `now`; alarms of every frequency (one-time ones from today on, so the next collection
/// removes none); lists; notes for the next two years. The same options give the same set.
DataSet generateDataSet(const GenerateOptions& options);

/// The alarms generateDataSet writes for the same options, without the rest of the set: for a
/// benchmark that needs only an alarm file. `years` spreads the recurring alarms' first dates.
std::vector<CDaylarkAlarm> generateAlarms(const GenerateOptions& options);

struct DeriveOptions
{
    double sharePercent = 5; ///< 0 to 100
    std::uint64_t seed = 1;
};

/// The same diary as another machine holds it: of the pages, the notes and the lists, the
/// given share (rounded to whole records) differs. A changed page has edited or added lines,
/// except that one changed page in ten is missing on the other machine; a changed note or
/// list has an edited or added line or a ticked box. The current-day page is changed too
/// (unless the share is 0), and the same share of new alarms is added.
DataSet deriveDataSet(const DataSet& from, const DeriveOptions& options);

} // namespace daylark::bench
