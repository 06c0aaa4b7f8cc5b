#include "alarms/CAlarmFile.h"
#include "app/CMainFrame.h"
#include "cli/CliMain.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "diary/CDaylarkDoc.h"
#include "format/CRecordArchive.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/Profile.h"
#include "records/CTodoFile.h"
#include "search/CSearchDlg.h"
#include "search/TextSearch.h"

#include <cerrno>
#include <optional>
#include <ostream>
#include <string>

namespace daylark {

namespace {

/// The command line of search, or the reason it cannot be used.
struct SearchArguments
{
    SearchRequest request;
    std::string problem;
};

SearchArguments parseSearchArguments(const std::vector<std::string>& args)
{
    SearchArguments result;
    const ParsedArguments parsed =
        parseArguments(args, 0, {"--and", "--or", "--months", "--max"}, {});
    if (!parsed.problem.empty()) {
        result.problem = parsed.problem;
        return result;
    }
    SearchRequest& request = result.request;
    const auto andTerm = parsed.values.find("--and");
    const auto orTerm = parsed.values.find("--or");
    if (andTerm != parsed.values.end() && orTerm != parsed.values.end()) {
        result.problem = "give one second term, with --and or with --or";
        return result;
    }
    if (andTerm != parsed.values.end() || orTerm != parsed.values.end()) {
        const bool isAnd = andTerm != parsed.values.end();
        request.term2 = (isAnd ? andTerm : orTerm)->second;
        request.combination = isAnd ? Combination::And : Combination::Or;
    }
    for (const auto& [name, field] :
         {std::pair{"--months", &request.monthsBack}, std::pair{"--max", &request.maxHits}}) {
        const auto given = parsed.values.find(name);
        if (given == parsed.values.end()) {
            continue;
        }
        // The dialog's reading, so that both take the same numbers.
        const std::optional<int> number = readNumberField(given->second);
        if (!number) {
            result.problem =
                std::string(name) + " takes " + numberFieldRule() + ", not " + given->second;
            return result;
        }
        *field = *number;
    }
    if (parsed.words.size() != 1) {
        result.problem = "search takes one TERM (quote a term of several words)";
        return result;
    }
    request.term1 = parsed.words[0];
    return result;
}

/// Takes the page date of the current-day file into the document, reading only: the search
/// starts with the archive of that date's year. A file that is missing or does not read leaves
/// the document dated now; it is not needed for anything else here.
void takePageDate(CDaylarkDoc& doc)
{
    if (!fileStatus(doc.dayFilePath()).exists) {
        return;
    }
    try {
        File file(doc.dayFilePath(), File::Mode::Read);
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        doc.Serialize(ar);
    } catch (const CException&) {
    } catch (const std::bad_alloc&) {
    }
}

void printResults(std::ostream& out, const SearchResults& results)
{
    if (results.hits.empty()) {
        out << CSearchDlg::kNotFound << "\n\n";
    }
    for (const SearchHit& hit : results.hits) {
        out.write(hit.text.data(), static_cast<std::streamsize>(hit.text.size()));
        out << "\n\n";
    }
    out << "Hits: " << results.hitCount << '\n';
    out.flush();
}

} // namespace

int runSearch(CliContext& context)
{
    const SearchArguments parsed = parseSearchArguments(context.args);
    if (!parsed.problem.empty()) {
        return context.usageError(parsed.problem);
    }
    // Reading only: no lock is taken and no file is created, not even a missing alarm file.
    const Locations locations = context.locations();
    FailureWatch messages(context.messages);
    Profile profile(locations.profilePath(), messages);
    const DisplayFlags flags = CMainFrame::ReadDisplayFlags(profile);

    CDaylarkDoc doc(messages, context.env.clock, profile);
    doc.setLocations(locations);
    takePageDate(doc);
    CPageArchive& archive = doc.pageArchive();
    archive.Open(/*loading=*/true, /*create=*/false);

    CTodoFile lists(locations.listsPath(), messages);
    lists.setUse(FileUse::ReadOnly);
    lists.Load();
    CAlarmFile alarms(locations.alarmPath(), messages);
    alarms.setUse(FileUse::ReadOnly);
    const FileStatus alarmStatus = fileStatus(locations.alarmPath());
    const bool alarmsLoaded = alarmStatus.exists || alarmStatus.error != ENOENT;
    if (alarmsLoaded) {
        alarms.Load();
    }

    const SearchSources sources{archive, breakDown(doc.pageDate(), /*greenwich=*/false).year,
                                [&locations](int year) { return locations.archivePath(year); },
                                lists.records(), alarms.records()};
    const SearchResults results =
        searchText(parsed.request, sources, flags, messages, context.env.clock);
    archive.Close();
    lists.Empty();
    if (alarmsLoaded) {
        alarms.Empty();
    }
    printResults(context.env.out, results);
    return messages.failed() ? kExitFailed : kExitOk;
}

} // namespace daylark
