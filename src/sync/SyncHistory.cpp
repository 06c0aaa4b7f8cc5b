#include "sync/SyncHistory.h"

#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "sync/FileSet.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace daylark {

namespace {

constexpr std::size_t kIdentityLength = 16;

bool isIdentity(const std::string& text)
{
    return text.size() == kIdentityLength &&
           text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

/// The identity of the folder `otherDir`: the text of its identity file, made (a random number)
/// when it has none. Empty, after a message, when it can be neither read nor made.
std::string folderIdentity(const std::string& otherDir, MessageSink& messages)
{
    const std::string path = joinPath(otherDir, SyncHistory::kIdentityFile);
    std::string identity;
    std::getline(std::ifstream(path), identity);
    if (isIdentity(identity)) {
        return identity;
    }
    std::random_device random;
    const auto number = (std::uint64_t{random()} << 32) | random();
    char text[kIdentityLength + 1];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(number));
    try {
        AtomicFile file(path);
        file.file().write(text, kIdentityLength);
        file.file().write("\n", 1);
        file.commit();
    } catch (const CFileException& failure) {
        messages.error(fillMessage(
            "Error %ld marking %s as a synchronised folder (%s). Until it can be marked, each "
            "synchronisation with it joins both sides whole: what one side removed may come back.",
            {std::to_string(failure.osError()), path, std::strerror(failure.osError())}));
        return {};
    } catch (const CException&) {
        messages.error("Cannot mark " + path + " as a synchronised folder.");
        return {};
    }
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

SyncHistory::SyncHistory(const std::string& dataDir, const std::string& otherDir,
                         MessageSink& messages)
    : m_otherDir(resolvedDirectory(otherDir))
{
    if (const std::string identity = folderIdentity(m_otherDir, messages); !identity.empty()) {
        m_dir = joinPath(joinPath(dataDir, kStateFolder), identity);
    }
}

std::string SyncHistory::recordedPath(const std::string& name) const
{
    return m_dir.empty() ? std::string() : joinPath(m_dir, name);
}

bool SyncHistory::record(const std::string& thisFile, const std::string& name,
                         MessageSink& messages) const
{
    const std::string target = recordedPath(name);
    if (target.empty()) {
        return true; // a folder without an identity is joined whole every time
    }
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
