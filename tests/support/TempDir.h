#pragma once

#include <string>
#include <vector>

namespace daylark::test {

/// A fresh directory under $TMPDIR (or /tmp), removed with everything in it on destruction.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    /// path() + "/" + name
    std::string file(const std::string& name) const;

private:
    std::string m_path;
};

/// The whole content of a file ("" when it cannot be read).
std::string readFile(const std::string& path);
/// Writes `bytes` as the whole content of a file (created or truncated).
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
/// The names of the entries of a directory, sorted.
std::vector<std::string> namesIn(const std::string& dir);
/// The permission bits of a file or directory (0644, 0700, ...).
unsigned modeOf(const std::string& path);

} // namespace daylark::test
