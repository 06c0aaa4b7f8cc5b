#include "platform/Autostart.h"

#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

namespace daylark {

namespace {

/// A program path as one argument of an Exec line: quoted, with the characters that are
/// special inside quotes escaped.
std::string execArgument(const std::string& program)
{
    std::string quoted = "\"";
    for (const char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += '"';
    // A backslash in a desktop entry's string value is itself escaped.
    std::string escaped;
    for (const char c : quoted) {
        if (c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

Autostart::Autostart(std::string path, std::string program)
    : m_path(std::move(path))
    , m_program(std::move(program))
{}

bool Autostart::enabled() const
{
    std::ifstream file(m_path);
    if (!file) {
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("Hidden=true", 0) == 0) {
            return false;
        }
    }
    return true;
}

std::string Autostart::entry() const
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Daylark\n"
           "Comment=A diary page for every day, with tasks that carry over\n"
           "Exec=" +
           execArgument(m_program) +
           "\n"
           "Icon=daylark\n"
           "Terminal=false\n"
           "Categories=Office;Calendar;\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool Autostart::set(bool on, MessageSink& messages) const
{
    const auto refuse = [&](int error) {
        messages.error("Daylark cannot " + std::string(on ? "write" : "remove") +
                       " its autostart entry " + m_path + ": " + std::strerror(error) + ".");
        return false;
    };
    if (m_path.empty()) {
        return refuse(ENOENT);
    }
    if (!on) {
        const int error = removeFile(m_path);
        return error == 0 || error == ENOENT ? true : refuse(error);
    }
    if (const int error = createDirectories(folderOf(m_path)); error != 0) {
        return refuse(error);
    }
    try {
        AtomicFile file(m_path);
        const std::string text = entry();
        file.file().write(text.data(), text.size());
        file.commit();
    } catch (const CFileException& failure) {
        return refuse(failure.osError());
    }
    return true;
}

} // namespace daylark
