#include "bench/DataSetFiles.h"

#include "alarms/CAlarmFile.h"
#include "bench/DataSet.h"
#include "diary/ArchiveScan.h"
#include "diary/CDaylarkDoc.h"
#include "diary/CPageArchive.h"
#include "format/CRecordArchive.h"
#include "platform/AtomicFile.h"
#include "platform/ByteFile.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"
#include "platform/MessageSink.h"
#include "platform/Profile.h"
#include "platform/TimeText.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace daylark::bench {

namespace {

/// A file in memory for the record stream to write into.
class MemoryBytes : public ByteFile
{
public:
    std::size_t read(void* buffer, std::size_t size) override
    {
        const std::size_t got = std::min(size, m_data.size() - std::min(m_data.size(), m_position));
        std::memcpy(buffer, m_data.data() + m_position, got);
        m_position += got;
        return got;
    }
    void write(const void* buffer, std::size_t size) override
    {
        if (m_position + size > m_data.size()) {
            m_data.resize(m_position + size);
        }
        std::memcpy(m_data.data() + m_position, buffer, size);
        m_position += size;
    }
    std::int64_t seek(std::int64_t offset, SeekFrom from) override
    {
        const std::int64_t base = from == SeekFrom::Begin     ? 0
                                  : from == SeekFrom::Current ? position()
                                                              : length();
        m_position = static_cast<std::size_t>(base + offset);
        return position();
    }
    std::int64_t position() override { return static_cast<std::int64_t>(m_position); }
    std::int64_t length() override { return static_cast<std::int64_t>(m_data.size()); }
    std::string take() { return std::move(m_data); }

private:
    std::string m_data;
    std::size_t m_position = 0;
};

/// The time the program was asked to write with.
class FixedTime : public Clock
{
public:
    explicit FixedTime(std::int64_t time)
        : m_time(time)
    {}
    std::int64_t now() const override { return m_time; }

private:
    std::int64_t m_time;
};

void writeWhole(const std::string& path, const std::string& bytes)
{
    AtomicFile file(path);
    file.file().write(bytes.data(), bytes.size());
    file.commit();
}

std::string localDate(std::int64_t t)
{
    return formatTime("%Y-%m-%d", t, /*greenwich=*/false);
}

bool writeArchives(const DataSet& set, const std::string& dir, MessageSink& messages)
{
    std::map<int, std::vector<const CDaylarkPage*>> years;
    for (const CDaylarkPage& page : set.pages) {
        years[breakDown(page.Date, /*greenwich=*/false).year].push_back(&page);
    }
    for (const auto& [year, pages] : years) {
        const auto created = set.archiveCreated.find(year);
        const std::int64_t createdTime =
            created != set.archiveCreated.end() ? created->second : pages.front()->Date;
        try {
            writeWhole(joinPath(dir, std::to_string(year) + ".dlk"),
                       yearArchiveBytes(pages, createdTime));
        } catch (const CException& failure) {
            messages.error(FailureContext{"File Exception, %d, archiving page",
                                          "Archive Exception, %d, archiving page",
                                          "Memory exception archiving a daylark page"}
                               .message(failure));
            return false;
        }
    }
    return true;
}

template <class File, class Record>
bool writeRecords(File& file, const std::vector<Record>& records)
{
    for (const Record& record : records) {
        file.add(std::make_unique<Record>(record));
    }
    const bool saved = file.Save() == 0;
    file.Empty();
    return saved;
}

template <class File, class Record> bool readRecords(File& file, std::vector<Record>& records)
{
    const bool loaded = file.Load() == 0;
    for (const auto& record : file.records()) {
        records.push_back(*record);
    }
    file.Empty();
    return loaded;
}

bool writeDayFile(const DataSet& set, const std::string& dir, MessageSink& messages)
{
    const FixedTime clock(set.now);
    Profile profile(joinPath(dir, "daylark.ini"), messages); // read only: nothing is written
    CDaylarkDoc doc(messages, clock, profile);
    doc.setLocations(Locations::resolve({dir, joinPath(dir, "daylark.ini"), std::nullopt},
                                        [](const char*) -> const char* { return nullptr; }));
    doc.setPageDate(set.now);
    doc.setShownDate(set.now);
    doc.pageText().setText(set.todayText);
    return doc.Save();
}

/// The year archives of `dir`, "YYYY.dlk" in any case, by year.
std::map<int, std::string> archivesIn(const std::string& dir)
{
    std::map<int, std::string> archives;
    std::error_code error; // an unreadable directory simply holds no archive here
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        const bool yearName = name.size() == 8 && asciiLower(name.substr(4)) == ".dlk" &&
                              std::all_of(name.begin(), name.begin() + 4,
                                          [](char c) { return c >= '0' && c <= '9'; });
        if (entry.is_regular_file() && yearName) {
            archives.emplace(std::stoi(name.substr(0, 4)), entry.path().string());
        }
    }
    return archives;
}

/// Counts the failures that pass through, so a reader can tell an empty file from a bad one.
class FailureCount : public MessageSink
{
public:
    explicit FailureCount(MessageSink& inner)
        : m_inner(inner)
    {}
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon,
                      MessageButtons buttons) override
    {
        m_failures += icon == MessageIcon::Exclamation ? 1 : 0;
        return m_inner.ask(text, caption, icon, buttons);
    }
    void notify(const std::string& text, const std::string& caption) override
    {
        m_inner.notify(text, caption);
    }
    int failures() const { return m_failures; }

private:
    MessageSink& m_inner;
    int m_failures = 0;
};

void readArchives(DataSet& set, const std::string& dir, MessageSink& messages)
{
    const FixedTime clock(set.now);
    for (const auto& [year, path] : archivesIn(dir)) {
        CPageArchive archive(path, messages, clock);
        archive.LoadAllPages();
        set.archiveCreated[year] = archive.created();
        for (const auto& page : archive.pages()) {
            set.pages.push_back(*page);
        }
    }
}

} // namespace

std::string yearArchiveBytes(const std::vector<const CDaylarkPage*>& pages, std::int64_t created)
{
    MemoryBytes file;
    {
        CRecordArchive header(file, CRecordArchive::Mode::Storing);
        header.writeTime(created);
        header.writeDword(0);
        header.writeDword(CPageArchive::kArchiveVersion);
        header.writeDword(static_cast<std::uint32_t>(kFirstEntryOffset));
        header.Close();
    }
    for (const CDaylarkPage* page : pages) {
        // Each entry in a pass of its own, so each repeats the full class description: its
        // end, the page, its start; the end is written in once the page's length is known.
        const auto start = static_cast<std::uint32_t>(file.position());
        CRecordArchive entry(file, CRecordArchive::Mode::Storing);
        entry.writeDword(start);
        entry.WriteObject(page);
        entry.writeDword(start);
        entry.Flush();
        const auto end = static_cast<std::uint32_t>(file.position());
        file.seek(start, SeekFrom::Begin);
        entry.writeDword(end);
        entry.Close();
        file.seek(0, SeekFrom::End);
    }
    return file.take();
}

bool writeDataSet(const DataSet& set, const std::string& dir, MessageSink& messages)
{
    if (!writeArchives(set, dir, messages)) {
        return false;
    }
    CAlarmFile alarms(joinPath(dir, "daylark.alm"), messages);
    CTodoFile lists(joinPath(dir, "daylark.tdl"), messages);
    CFutureFile notes(joinPath(dir, "daylark.fut"), messages);
    return writeRecords(alarms, set.alarms) && writeRecords(lists, set.lists) &&
           writeRecords(notes, set.notes) && writeDayFile(set, dir, messages);
}

std::optional<DataSet> readDataSet(const std::string& dir, MessageSink& messages)
{
    FailureCount watch(messages);
    const SystemClock clock;
    Profile profile(joinPath(dir, "daylark.ini"), watch);
    CDaylarkDoc doc(watch, clock, profile);
    doc.setLocations(Locations::resolve({dir, joinPath(dir, "daylark.ini"), std::nullopt},
                                        [](const char*) -> const char* { return nullptr; }));
    if (doc.Load() != CDaylarkDoc::LoadResult::Loaded) {
        watch.error("There is no readable current-day file in " + dir + ".");
        return std::nullopt;
    }
    DataSet set;
    set.now = doc.pageDate();
    set.todayText = doc.pageText().text();
    readArchives(set, dir, watch);
    CAlarmFile alarms(joinPath(dir, "daylark.alm"), watch);
    CTodoFile lists(joinPath(dir, "daylark.tdl"), watch);
    CFutureFile notes(joinPath(dir, "daylark.fut"), watch);
    readRecords(alarms, set.alarms);
    readRecords(lists, set.lists);
    readRecords(notes, set.notes);
    if (watch.failures() > 0) {
        return std::nullopt;
    }
    return set;
}

std::string exportPages(const DataSet& set, const std::string& dir)
{
    std::error_code error;
    for (const CDaylarkPage& page : set.pages) {
        const std::string date = localDate(page.Date);
        const std::filesystem::path folder = std::filesystem::path(dir) / date.substr(0, 4);
        std::filesystem::create_directories(folder, error);
        if (error) {
            return folder.string() + ": " + error.message();
        }
        const std::filesystem::path path = folder / (date + ".txt");
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(page.Text.data(), static_cast<std::streamsize>(page.Text.size()));
        if (!out.flush()) {
            return path.string() + ": cannot be written";
        }
    }
    return {};
}

std::string exportYears(const DataSet& set, const std::string& dir)
{
    std::map<std::string, std::string> years;
    for (const CDaylarkPage& page : set.pages) {
        std::string& text = years[localDate(page.Date).substr(0, 4)];
        text.append(page.Text).append("\r\n");
    }
    for (const auto& [year, text] : years) {
        const std::filesystem::path path = std::filesystem::path(dir) / (year + ".txt");
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out.flush()) {
            return path.string() + ": cannot be written";
        }
    }
    return {};
}

} // namespace daylark::bench
