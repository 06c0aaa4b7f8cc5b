#include "sync/ConflictCopies.h"

#include "platform/FileSystem.h"
#include "platform/MessageSink.h"
#include "sync/FileSet.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace daylark {

namespace {

/// Whether `name` (in lower case) is a conflict copy's name for the data file `dataName`.
bool isCopyOf(const std::string& name, const std::string& dataName)
{
    const std::size_t dot = dataName.rfind('.');
    const std::string stem = dataName.substr(0, dot);
    const std::string extension = dataName.substr(dot); // ".fut"
    if (name.size() <= dataName.size() || !name.starts_with(stem) || !name.ends_with(extension)) {
        return false;
    }
    const std::string middle =
        name.substr(stem.size(), name.size() - stem.size() - extension.size());
    return (middle.starts_with(".sync-conflict-") && middle.size() > 15) ||
           (middle.starts_with(" (conflicted copy") && middle.ends_with(")"));
}

std::vector<std::string> dataNames(int lastYear)
{
    std::vector<std::string> names = {FileSet::kDayFile, FileSet::kFutureFile, FileSet::kListsFile,
                                      FileSet::kAlarmFile};
    for (int year = FileSet::kFirstYear; year <= lastYear; ++year) {
        names.push_back(FileSet::archiveName(year));
    }
    return names;
}

} // namespace

} // namespace daylark

std::vector<daylark::ConflictCopy> daylark::FindConflictCopies(const std::string& dir, int lastYear)
{
    std::vector<ConflictCopy> copies;
    std::error_code error;
    std::filesystem::directory_iterator entries(dir, error);
    if (error) {
        return copies;
    }
    const std::vector<std::string> names = dataNames(lastYear);
    for (const auto& entry : entries) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        const std::string name = entry.path().filename().string();
        const std::string lower = asciiLower(name);
        const auto match = std::find_if(names.begin(), names.end(), [&lower](const auto& data) {
            return isCopyOf(lower, data);
        });
        if (match != names.end()) {
            copies.push_back({joinPath(dir, name), *match});
        }
    }
    std::sort(copies.begin(), copies.end(),
              [](const auto& a, const auto& b) { return a.path < b.path; });
    return copies;
}

std::vector<std::string> daylark::CopiesOf(const std::vector<ConflictCopy>& copies,
                                           const std::string& dataName)
{
    std::vector<std::string> paths;
    for (const ConflictCopy& copy : copies) {
        if (copy.dataName == dataName) {
            paths.push_back(copy.path);
        }
    }
    return paths;
}

bool daylark::SetConflictCopyAside(const std::string& path, MessageSink& messages)
{
    const std::string folder = joinPath(directoryOf(path), kConflictsMergedFolder);
    int error = createDirectories(folder);
    std::string target = joinPath(folder, baseNameOf(path));
    if (error == 0) {
        if (fileStatus(target).exists) {
            target = firstFreeName(target + ".");
        }
        if (std::rename(path.c_str(), target.c_str()) != 0) {
            error = errno;
        }
    }
    if (error != 0) {
        messages.error(fillMessage("Error %ld moving the merged conflict copy %s to %s; it stays "
                                   "where it is and is merged again next time.",
                                   {std::to_string(error), path, target}));
        return false;
    }
    return true;
}
