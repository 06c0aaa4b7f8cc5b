#include "tools/ExportText.h"

#include "diary/TaskBox.h"
#include "format/Windows1252.h"

#include <vector>

namespace daylark {

namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

/// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there starts none
/// (overlong forms, surrogates and values past U+10FFFF are not valid).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

/// The lines of a text; any of CR LF, CR CR LF, a lone CR or LF ends one. A final line break
/// leaves an empty last line, so joining with LF gives the text back with LF breaks.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\r' && text[i] != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        std::size_t end = i;
        while (end < text.size() && text[end] == '\r') {
            ++end;
        }
        // Up to two CRs and an LF make one break; a CR run without an LF is one break per CR.
        if (end < text.size() && text[end] == '\n' && end - i <= 2) {
            i = end + 1;
        } else {
            ++i;
        }
        start = i;
    }
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

std::string utf8FromStored(std::string_view stored)
{
    std::string out;
    out.reserve(stored.size());
    std::size_t i = 0;
    while (i < stored.size()) {
        const std::size_t length = utf8SequenceLength(stored, i);
        if (length > 0) {
            out.append(stored, i, length);
            i += length;
            continue;
        }
        appendUtf8(out, windows1252Character(static_cast<unsigned char>(stored[i])));
        ++i;
    }
    return out;
}

std::string markdownFromText(std::string_view stored)
{
    const std::string text = utf8FromStored(stored);
    const std::vector<std::string_view> lines = splitLines(text);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        const TaskBox box = FindTaskBox(line);
        if (box.state != TaskBox::State::None) {
            const std::string_view rest = line.substr(box.end);
            out.append(line.substr(0, box.start));
            out += box.state == TaskBox::State::Open ? "- [ ]" : "- [x]";
            if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') {
                out += ' ';
            }
            out.append(rest);
        } else {
            out.append(line);
            if (!line.empty() && n + 1 < lines.size() && !lines[n + 1].empty()) {
                out += "  ";
            }
        }
        if (n + 1 < lines.size()) {
            out += '\n';
        }
    }
    return out;
}

} // namespace daylark
