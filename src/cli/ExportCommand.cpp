#include "alarms/CAlarmFile.h"
#include "cli/CliMain.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CPageArchive.h"
#include "format/CRecordArchive.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "tools/IcsExport.h"
#include "tools/MarkdownExport.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

namespace daylark {

namespace {

namespace fs = std::filesystem;

/// `path` made absolute with every link that exists followed, so a path inside the data
/// directory is recognised however it is spelled.
fs::path resolvedPath(const std::string& path)
{
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? fs::absolute(path).lexically_normal() : resolved;
}

bool isInside(const fs::path& path, const fs::path& dir)
{
    const auto [end, unused] = std::mismatch(dir.begin(), dir.end(), path.begin(), path.end());
    (void)unused;
    return end == dir.end() || (std::next(end) == dir.end() && end->empty());
}

/// Whether writing to `path` could reach the data set: the data directory or anything in it,
/// or the current-day file where --day-file puts it elsewhere.
bool reachesDataSet(const Locations& locations, const std::string& path)
{
    const fs::path target = resolvedPath(path);
    return isInside(target, resolvedPath(locations.dataDir())) ||
           target == resolvedPath(locations.dayFile());
}

/// Writes `bytes` over `path` atomically: a reader never sees half an export, and a failure
/// leaves the old file whole. Returns false after saying why on standard error.
bool writeFile(CliContext& context, const std::string& path, const std::string& bytes)
{
    try {
        AtomicFile file(path);
        file.file().write(bytes.data(), bytes.size());
        file.commit();
        return true;
    } catch (const CFileException& failure) {
        context.env.err << "daylark-cli: cannot write " << path << ": "
                        << std::strerror(failure.osError()) << '\n';
    } catch (const CException&) {
        context.env.err << "daylark-cli: cannot write " << path << '\n';
    }
    return false;
}

bool missing(const std::string& path)
{
    const FileStatus status = fileStatus(path);
    return !status.exists && status.error == ENOENT;
}

int exportIcsFile(CliContext& context, const std::string& target)
{
    const Locations locations = context.locations();
    if (target != "-" && reachesDataSet(locations, target)) {
        context.env.err << "daylark-cli: " << target
                        << " lies in the data set; export to a file outside " << locations.dataDir()
                        << '\n';
        return kExitFailed;
    }
    CAlarmFile alarms(locations.alarmPath(), context.messages);
    alarms.setUse(FileUse::ReadOnly);
    // A calendar that misses alarms must not replace a whole one: nothing is written unless
    // the alarm file read whole. A missing file has no alarms.
    if (!missing(locations.alarmPath()) && alarms.Load() != 0) {
        alarms.Empty();
        return kExitFailed;
    }
    const std::string text = exportIcs(alarms.records(), context.env.clock.now(),
                                       zoneNameOf(std::getenv("TZ"), "/etc/localtime"));
    alarms.Empty();
    if (target == "-") {
        context.env.out.write(text.data(), static_cast<std::streamsize>(text.size()));
        context.env.out.flush();
        return context.env.out ? kExitOk : kExitFailed;
    }
    return writeFile(context, target, text) ? kExitOk : kExitFailed;
}

/// Writes the Markdown files under one directory and remembers whether any failed.
class MarkdownWriter
{
public:
    MarkdownWriter(CliContext& context, std::string dir)
        : m_context(context)
        , m_dir(std::move(dir))
    {}

    void write(const ExportFile& file)
    {
        const std::string path = joinPath(m_dir, file.path);
        if (const int error = createDirectories(directoryOf(path)); error != 0) {
            m_context.env.err << "daylark-cli: cannot create the folder of " << path << ": "
                              << std::strerror(error) << '\n';
            m_failed = true;
            return;
        }
        m_failed = !writeFile(m_context, path, file.text) || m_failed;
    }
    void fail() { m_failed = true; }
    bool failed() const { return m_failed; }

private:
    CliContext& m_context;
    std::string m_dir;
    bool m_failed = false;
};

/// The years of the archives in the data directory ("1997.dlk", any case), in order.
std::vector<int> archiveYears(const std::string& dataDir)
{
    std::vector<int> years;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dataDir, error)) {
        const std::string name = asciiLower(entry.path().filename().string());
        if (name.size() == 8 && name.ends_with(".dlk") &&
            std::all_of(name.begin(), name.begin() + 4,
                        [](char c) { return c >= '0' && c <= '9'; })) {
            years.push_back(std::stoi(name.substr(0, 4)));
        }
    }
    std::sort(years.begin(), years.end());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    return years;
}

void exportPages(CliContext& context, const Locations& locations, MarkdownExport& names,
                 MarkdownWriter& writer)
{
    for (const int year : archiveYears(locations.dataDir())) {
        FailureWatch messages(context.messages);
        CPageArchive archive(locations.archivePath(year), messages, context.env.clock);
        archive.LoadAllPages();
        for (const auto& page : archive.pages()) {
            writer.write(names.page(page->Date, page->Text));
        }
        if (messages.failed()) {
            writer.fail();
        }
    }
}

void exportToday(CliContext& context, const Locations& locations, MarkdownExport& names,
                 MarkdownWriter& writer)
{
    if (missing(locations.dayFile())) {
        return;
    }
    FailureWatch messages(context.messages);
    Profile profile(locations.profilePath(), messages);
    CDaylarkDoc doc(messages, context.env.clock, profile);
    doc.setLocations(locations);
    try {
        File file(locations.dayFile(), File::Mode::Read);
        CRecordArchive ar(file, CRecordArchive::Mode::Loading);
        doc.Serialize(ar);
    } catch (const CException&) {
        context.env.err << "daylark-cli: " << locations.dayFile()
                        << " does not read; today.md is not written\n";
        writer.fail();
        return;
    } catch (const std::bad_alloc&) {
        context.env.err << "daylark-cli: " << locations.dayFile()
                        << " does not read; today.md is not written\n";
        writer.fail();
        return;
    }
    writer.write(names.today(doc.pageText().text()));
}

template <class Store, class Each>
void exportStore(CliContext& context, const std::string& path, MarkdownWriter& writer, Each each)
{
    if (missing(path)) {
        return;
    }
    Store store(path, context.messages);
    store.setUse(FileUse::ReadOnly);
    if (store.Load() != 0) {
        writer.fail(); // the records read before the failure are still exported
    }
    for (const auto& record : store.records()) {
        writer.write(each(*record));
    }
    store.Empty();
}

int exportMarkdown(CliContext& context, const std::string& dir)
{
    const Locations locations = context.locations();
    if (reachesDataSet(locations, dir)) {
        context.env.err << "daylark-cli: " << dir
                        << " lies in the data directory; export to a folder outside "
                        << locations.dataDir() << '\n';
        return kExitFailed;
    }
    MarkdownExport names;
    MarkdownWriter writer(context, dir);
    exportPages(context, locations, names, writer);
    exportToday(context, locations, names, writer);
    exportStore<CTodoFile>(context, locations.listsPath(), writer, [&](const CDaylarkTodo& list) {
        return names.list(list.Name, list.Contents);
    });
    exportStore<CFutureFile>(
        context, locations.futurePath(), writer,
        [&](const CDaylarkFuture& note) { return names.note(note.Date, note.Text); });
    return writer.failed() ? kExitFailed : kExitOk;
}

} // namespace

int runExport(CliContext& context)
{
    if (context.args.size() != 2 || context.args[1].empty()) {
        return context.usageError("export takes ics FILE or markdown DIR");
    }
    if (context.args[0] == "ics") {
        return exportIcsFile(context, context.args[1]);
    }
    if (context.args[0] == "markdown") {
        return exportMarkdown(context, context.args[1]);
    }
    return context.usageError("export takes ics or markdown, not " + context.args[0]);
}

} // namespace daylark
