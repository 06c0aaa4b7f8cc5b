#include "sync/SyncHistory.h"

#include "platform/FileSystem.h"
#include "sync/FileSet.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace daylark {

namespace {

/// A short fixed name for a folder path: 64-bit FNV-1a in hexadecimal.
std::string folderKey(const std::string& path)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : path) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace

std::string resolvedDirectory(const std::string& dir)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(dir, error);
    if (error) {
        return dir;
    }
    const auto resolved = std::filesystem::weakly_canonical(absolute, error);
    std::string text = error ? absolute.lexically_normal().string() : resolved.string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

SyncHistory::SyncHistory(const std::string& dataDir, const std::string& otherDir)
    : m_dir(joinPath(joinPath(dataDir, kStateFolder), folderKey(resolvedDirectory(otherDir))))
    , m_otherDir(resolvedDirectory(otherDir))
{}

std::string SyncHistory::recordedPath(const std::string& name) const
{
    return joinPath(m_dir, name);
}

bool SyncHistory::record(const std::string& thisFile, const std::string& name,
                         MessageSink& messages) const
{
    const std::string target = recordedPath(name);
    if (!fileStatus(thisFile).exists) {
        removeFile(target);
        return true;
    }
    int error = createDirectories(m_dir);
    if (error == 0) {
        const std::string folderNote = joinPath(m_dir, "folder");
        if (!fileStatus(folderNote).exists) {
            std::ofstream(folderNote) << m_otherDir << '\n';
        }
        error = copyFile(thisFile, target);
    }
    if (error != 0) {
        messages.error(fillMessage("Error %ld keeping the synchronised state in %s: the next "
                                   "synchronisation with this folder joins both sides whole, so "
                                   "what one side removed may come back.",
                                   {std::to_string(error), target}));
        removeFile(target);
        return false;
    }
    return true;
}

std::string SyncHistory::unreadableMessage(const std::string& path, const std::string& why)
{
    return "The state of the last synchronisation with this folder, kept in " + path +
           ", cannot be read (" + why +
           "). This time both sides are joined whole: what one side removed since may come back, "
           "and can be removed again.";
}

} // namespace daylark
