#include "platform/Profile.h"

#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <utility>

namespace daylark {

namespace {

// A settings file is a few hundred bytes; anything past this is not one, and reading it whole
// on every call would cost memory for nothing.
constexpr std::int64_t kMaxProfileSize = 1024 * 1024;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool endsWithCr(std::string_view line)
{
    return !line.empty() && line.back() == '\r';
}

// Blanks, then a CR, then blanks again: "a \r" and "a\r " both give "a".
std::string_view cleanValue(std::string_view text)
{
    text = trimBlanks(text);
    if (endsWithCr(text)) {
        text.remove_suffix(1);
    }
    return trimBlanks(text);
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

std::optional<std::string_view> sectionName(std::string_view line)
{
    line = cleanValue(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trimBlanks(line.substr(1, close - 1));
}

struct KeyLine
{
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line)
{
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trimBlanks(line.substr(0, equals)), cleanValue(line.substr(equals + 1))};
}

// Where a section and a key lie among the lines of the file.
struct Place
{
    std::size_t header = kNone;   ///< the section's header line
    std::size_t end = kNone;      ///< one past the section's last line
    std::size_t lastUsed = kNone; ///< the section's last line that is not blank
    std::size_t key = kNone;      ///< the key's line
};

Place locate(const std::vector<std::string>& lines, std::string_view section, std::string_view key)
{
    Place place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (place.header != kNone) {
            if (name) {
                place.end = i;
                return place;
            }
            if (!cleanValue(lines[i]).empty()) {
                place.lastUsed = i;
            }
            if (place.key == kNone) {
                if (const auto entry = keyLine(lines[i]); entry && sameName(entry->key, key)) {
                    place.key = i;
                }
            }
        } else if (name && sameName(*name, section)) {
            place.header = i;
            place.lastUsed = i;
        }
    }
    place.end = lines.size();
    return place;
}

std::string errorText(int error)
{
    return "error " + std::to_string(error) + ": " + std::strerror(error);
}

// Digits after blanks and an optional sign; nullopt without a digit or past the int range.
std::optional<int> parseLeadingInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    bool anyDigit = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        anyDigit = true;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit) {
            return std::nullopt;
        }
    }
    if (!anyDigit || (!negative && magnitude == kLimit)) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::string readWhole(const std::string& path)
{
    File file(path, File::Mode::Read);
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const std::size_t n = file.read(buffer, sizeof buffer);
        if (n == 0) {
            return bytes;
        }
        bytes.append(buffer, n);
        if (static_cast<std::int64_t>(bytes.size()) > kMaxProfileSize) {
            throw CFileException(CFileException::genericException, EFBIG);
        }
    }
}

} // namespace

Profile::Profile(std::string path, MessageSink& messages)
    : m_path(std::move(path))
    , m_messages(messages)
{}

std::string Profile::readString(std::string_view section, std::string_view key,
                                std::string_view def) const
{
    return find(section, key).value_or(std::string(def));
}

int Profile::readInt(std::string_view section, std::string_view key, int def) const
{
    const auto text = find(section, key);
    if (!text) {
        return def;
    }
    return parseLeadingInt(*text).value_or(def);
}

bool Profile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    return writeStrings(section, {{std::string(key), std::string(value)}});
}

bool Profile::writeStrings(std::string_view section, const Values& values)
{
    section = trimBlanks(section);
    for (const auto& [key, value] : values) {
        const std::string_view name = trimBlanks(key);
        const bool badName = section.empty() || name.empty() ||
                             section.find_first_of("]\r\n") != std::string_view::npos ||
                             name.find_first_of("=\r\n") != std::string_view::npos ||
                             name.front() == '[';
        if (badName || value.find_first_of("\r\n") != std::string::npos) {
            m_messages.error("The setting " + std::string(name) + " of section " +
                             std::string(section) +
                             " cannot be saved: its name or value holds a line break or a "
                             "character the settings file reserves.");
            return false;
        }
    }

    int error = 0;
    auto content = load(error);
    if (!content) {
        reportOnce(m_reportedUnreadable,
                   "The settings file " + m_path + " cannot be read (" + errorText(error) +
                       "). It is left as it is, and changed settings are not saved.");
        return false;
    }
    for (const auto& [key, value] : values) {
        place(*content, section, trimBlanks(key), value);
    }
    return store(*content);
}

void Profile::place(Content& content, std::string_view section, std::string_view key,
                    std::string_view value)
{
    std::vector<std::string>& lines = content.lines;
    const std::string cr = content.crlf ? "\r" : "";
    const std::string newLine = std::string(key) + "=" + std::string(value);
    const Place place = locate(lines, section, key);
    if (place.key != kNone) {
        lines[place.key] = newLine + (endsWithCr(lines[place.key]) ? "\r" : "");
    } else if (place.header != kNone) {
        const std::size_t at = place.lastUsed + 1;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), newLine + cr);
        if (at == lines.size() - 1) {
            content.endsWithNewline = true;
        }
    } else {
        if (!lines.empty() && !cleanValue(lines.back()).empty()) {
            lines.push_back(cr);
        }
        std::string header = "[";
        header.append(section).append("]").append(cr);
        lines.push_back(std::move(header));
        lines.push_back(newLine + cr);
        content.endsWithNewline = true;
    }
}

bool Profile::writeInt(std::string_view section, std::string_view key, int value)
{
    return writeString(section, key, std::to_string(value));
}

std::optional<Profile::Content> Profile::load(int& error) const
{
    error = 0;
    struct stat info
    {
    };
    if (::stat(m_path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return Content{};
        }
        error = errno;
        return std::nullopt;
    }
    // A directory, a pipe or a device in the profile's place is not a settings file (and a
    // pipe would block the open).
    if (!S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    std::string bytes;
    try {
        bytes = readWhole(m_path);
    } catch (const CFileException& failure) {
        error = failure.osError() != 0 ? failure.osError() : EIO;
        return std::nullopt;
    }

    Content content;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find('\n', start);
        if (end == std::string::npos) {
            content.lines.push_back(bytes.substr(start));
            break;
        }
        content.lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    content.endsWithNewline = !bytes.empty() && bytes.back() == '\n';
    content.crlf = !content.lines.empty() && endsWithCr(content.lines.front());
    return content;
}

std::optional<std::string> Profile::find(std::string_view section, std::string_view key) const
{
    int error = 0;
    const auto content = load(error);
    if (!content) {
        return std::nullopt; // a value that cannot be read counts as absent
    }
    const Place place = locate(content->lines, trimBlanks(section), trimBlanks(key));
    if (place.key == kNone) {
        return std::nullopt;
    }
    return std::string(keyLine(content->lines[place.key])->value);
}

bool Profile::store(const Content& content)
{
    std::string bytes;
    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        bytes += content.lines[i];
        if (i + 1 < content.lines.size() || content.endsWithNewline) {
            bytes += '\n';
        }
    }
    int error = 0;
    try {
        const std::string dir = directoryOf(resolveSymlinks(m_path));
        if (!dir.empty()) {
            error = createDirectories(dir);
        }
        if (error == 0) {
            AtomicFile file(m_path);
            file.file().write(bytes.data(), bytes.size());
            file.commit();
        }
    } catch (const CFileException& failure) {
        error = failure.osError() != 0 ? failure.osError() : EIO;
    }
    if (error != 0) {
        reportOnce(m_reportedWriteFailure,
                   "The settings cannot be saved to " + m_path + " (" + errorText(error) + ").");
        return false;
    }
    m_reportedWriteFailure = false;
    return true;
}

void Profile::reportOnce(bool& reported, const std::string& text)
{
    if (reported) {
        return;
    }
    reported = true;
    m_messages.error(text);
}

} // namespace daylark
