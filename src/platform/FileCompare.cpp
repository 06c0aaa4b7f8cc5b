#include "platform/FileCompare.h"

#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <string_view>
#include <vector>

namespace daylark {

namespace {

constexpr std::size_t kCompareChunk = 64 * 1024;

struct DirCloser
{
    void operator()(DIR* dir) const { ::closedir(dir); }
};

/// Fills `buffer` as far as the file goes; the count read.
std::size_t readFully(File& file, std::vector<char>& buffer)
{
    std::size_t got = 0;
    while (got < buffer.size()) {
        const std::size_t n = file.read(buffer.data() + got, buffer.size() - got);
        if (n == 0) {
            break;
        }
        got += n;
    }
    return got;
}

bool allDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

} // namespace daylark

bool daylark::sameContents(const std::string& a, const std::string& b)
{
    try {
        File first(a, File::Mode::Read);
        File second(b, File::Mode::Read);
        if (first.length() != second.length()) {
            return false;
        }
        std::vector<char> left(kCompareChunk);
        std::vector<char> right(kCompareChunk);
        for (;;) {
            const std::size_t n = readFully(first, left);
            if (readFully(second, right) != n) {
                return false;
            }
            if (n == 0) {
                return true;
            }
            if (std::memcmp(left.data(), right.data(), n) != 0) {
                return false;
            }
        }
    } catch (const CFileException&) {
        return false;
    }
}

std::optional<std::string> daylark::findCopyWithSameContents(const std::string& path,
                                                             const std::string& prefix)
{
    const FileStatus original = fileStatus(path);
    if (!original.exists) {
        return std::nullopt;
    }
    const std::string dir = directoryOf(prefix);
    const std::string stem = baseNameOf(prefix);
    std::unique_ptr<DIR, DirCloser> entries(::opendir(dir.empty() ? "." : dir.c_str()));
    if (!entries) {
        return std::nullopt;
    }
    std::vector<std::string> candidates;
    while (const dirent* entry = ::readdir(entries.get())) {
        const std::string_view name(entry->d_name);
        if (name.starts_with(stem) && allDigits(name.substr(stem.size()))) {
            candidates.push_back(joinPath(dir, std::string(name)));
        }
    }
    // The oldest copy first: the one a message named before.
    std::sort(candidates.begin(), candidates.end(), [](const auto& x, const auto& y) {
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    });
    for (const std::string& candidate : candidates) {
        const FileStatus copy = fileStatus(candidate);
        if (copy.exists && !copy.isDirectory && copy.size == original.size &&
            sameContents(path, candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}
