#include "tools/DataCheck.h"

#include "platform/FileSystem.h"
#include "tools/DataFileChecks.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <optional>
#include <string_view>

namespace daylark {

namespace {

bool allDigits(std::string_view text, std::size_t atLeast)
{
    return text.size() >= atLeast && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c)) != 0;
           });
}

bool isArchiveName(std::string_view lower)
{
    return lower.size() == 8 && allDigits(lower.substr(0, 4), 4) && lower.substr(4) == ".dlk";
}

/// "1996.000", "1996.1000": the merge's temporary archive of 1996.
bool isMergeTemporaryName(std::string_view name)
{
    return name.size() >= 8 && allDigits(name.substr(0, 4), 4) && name[4] == '.' &&
           allDigits(name.substr(5), 3);
}

/// "*.torn.NNN" or "*.damaged.NNN".
bool isSetAsideName(std::string_view name)
{
    for (const std::string_view marker : {".torn.", ".damaged."}) {
        const auto at = name.rfind(marker);
        if (at != std::string_view::npos && at > 0 &&
            allDigits(name.substr(at + marker.size()), 3)) {
            return true;
        }
    }
    return false;
}

constexpr std::string_view kTemporaryMark = ".tmp-";
/// mkstemp's six characters.
constexpr std::size_t kTemporarySuffix = 6;

class NameRules
{
public:
    explicit NameRules(std::string dayFileName)
        : m_dayFileName(std::move(dayFileName))
    {}

    /// The kind of a data file by its name; nothing for a file that is none.
    std::optional<DataFileKind> kindOf(std::string_view name, std::string& temporaryFor) const
    {
        if (const auto kind = dataKindOf(name)) {
            return kind;
        }
        if (isSetAsideName(name)) {
            return DataFileKind::SetAside;
        }
        if (isMergeTemporaryName(name)) {
            temporaryFor = std::string(name.substr(0, 4)) + ".dlk";
            return DataFileKind::MergeTemporary;
        }
        // ".<name>.tmp-XXXXXX", where <name> is a file of the set.
        const auto mark = name.rfind(kTemporaryMark);
        if (name.size() < 2 || name[0] != '.' || mark == std::string_view::npos ||
            name.size() - mark - kTemporaryMark.size() != kTemporarySuffix) {
            return std::nullopt;
        }
        const std::string_view target = name.substr(1, mark - 1);
        if (!dataKindOf(target) && !isSetAsideName(target)) {
            return std::nullopt;
        }
        temporaryFor = std::string(target);
        return DataFileKind::SaveTemporary;
    }

private:
    std::optional<DataFileKind> dataKindOf(std::string_view name) const
    {
        const std::string lower = asciiLower(name);
        if (!m_dayFileName.empty() && name == m_dayFileName) {
            return DataFileKind::DayFile;
        }
        if (lower == "daylark.fut") {
            return DataFileKind::FutureNotes;
        }
        if (lower == "daylark.tdl") {
            return DataFileKind::Lists;
        }
        if (lower == "daylark.alm") {
            return DataFileKind::Alarms;
        }
        if (isArchiveName(lower)) {
            return DataFileKind::Archive;
        }
        return std::nullopt;
    }

    std::string m_dayFileName; ///< empty when the current-day file lives elsewhere
};

std::vector<std::string> entriesOf(const std::string& dir)
{
    std::vector<std::string> names;
    DIR* stream = ::opendir(dir.c_str());
    if (stream == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(stream)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(stream);
    return names;
}

bool sameDirectory(const std::string& a, const std::string& b)
{
    const FileStatus first = fileStatus(a.empty() ? "." : a);
    const FileStatus second = fileStatus(b.empty() ? "." : b);
    return first.exists && second.exists && resolveSymlinks(a) == resolveSymlinks(b);
}

std::string countText(const FileCheck& file)
{
    const std::string n = std::to_string(file.count);
    switch (file.kind) {
    case DataFileKind::DayFile:
        return n + " bytes of text";
    case DataFileKind::Archive:
        return n + (file.count == 1 ? " page" : " pages");
    case DataFileKind::FutureNotes:
        return n + (file.count == 1 ? " note" : " notes");
    case DataFileKind::Lists:
        return n + (file.count == 1 ? " list" : " lists");
    case DataFileKind::Alarms:
        return n + (file.count == 1 ? " alarm" : " alarms");
    default:
        return n;
    }
}

} // namespace

bool DataCheckReport::damaged() const
{
    return std::any_of(files.begin(), files.end(),
                       [](const FileCheck& file) { return file.damaged(); });
}

std::vector<std::string> DataCheckReport::damagedNames() const
{
    std::vector<std::string> names;
    for (const FileCheck& file : files) {
        if (file.damaged()) {
            names.push_back(file.name);
        }
    }
    return names;
}

DataCheck::DataCheck(std::string dataDir, std::string dayFile)
    : m_dataDir(std::move(dataDir))
    , m_dayFile(std::move(dayFile))
{}

std::vector<FileCheck> DataCheck::listFiles() const
{
    const bool dayFileHere = sameDirectory(directoryOf(m_dayFile), m_dataDir);
    const NameRules rules(dayFileHere ? baseNameOf(m_dayFile) : std::string());
    std::vector<FileCheck> files;
    for (const std::string& name : entriesOf(m_dataDir)) {
        std::string temporaryFor;
        const auto kind = rules.kindOf(name, temporaryFor);
        const std::string path = joinPath(m_dataDir, name);
        if (!kind || fileStatus(path).isDirectory) {
            continue;
        }
        FileCheck file;
        file.name = name;
        file.path = path;
        file.kind = *kind;
        file.temporaryFor = temporaryFor;
        files.push_back(std::move(file));
    }
    if (!dayFileHere && fileStatus(m_dayFile).exists) {
        FileCheck file;
        file.name = m_dayFile;
        file.path = m_dayFile;
        file.kind = DataFileKind::DayFile;
        files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(),
              [](const FileCheck& a, const FileCheck& b) { return a.name < b.name; });
    return files;
}

DataCheckReport DataCheck::check(std::stop_token stop) const
{
    DataCheckReport report;
    report.files = listFiles();
    for (FileCheck& file : report.files) {
        if (stop.stop_requested()) {
            report.stopped = true;
            return report;
        }
        checkDataFile(file);
    }
    std::erase_if(report.files, [](const FileCheck& file) {
        return file.damage == Damage::LeftoverTemporary && !fileStatus(file.path).exists;
    });
    return report;
}

std::string DataCheck::line(const FileCheck& file)
{
    if (!file.repaired.empty()) {
        return file.name + ": repaired: " + file.what + ": " + file.repaired;
    }
    if (!file.repairFailure.empty()) {
        return file.name + ": damaged: " + file.what + " (not repaired: " + file.repairFailure +
               ")";
    }
    if (file.damage != Damage::None) {
        return file.name + ": damaged: " + file.what;
    }
    if (file.kind == DataFileKind::SetAside) {
        return file.name + ": set aside";
    }
    return file.name + ": ok (" + countText(file) + ")";
}

std::string DataCheck::damageNotice(const DataCheckReport& report)
{
    const std::vector<std::string> names = report.damagedNames();
    if (names.empty()) {
        return {};
    }
    std::string text = "Damaged data: ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : ", ") + names[i];
    }
    return text + ". Nothing was changed; the user guide (F1) says how to repair it under \"" +
           kRepairGuideSection + "\".";
}

} // namespace daylark
