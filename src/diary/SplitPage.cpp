#include "diary/SplitPage.h"

namespace daylark {

namespace {

constexpr std::string_view kLineBreak = "\r\r\n";

bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

/// Counts the line feeds in the run of CRs and LFs at `pos` and moves `pos` past the run.
int takeBreakRun(std::string_view text, std::size_t& pos)
{
    int lineFeeds = 0;
    while (pos < text.size() && isBreak(text[pos])) {
        lineFeeds += text[pos] == '\n' ? 1 : 0;
        ++pos;
    }
    return lineFeeds;
}

void appendBreaks(std::string& out, int count)
{
    for (int i = 0; i < count; ++i) {
        out += kLineBreak;
    }
}

/// Appends each non-empty line of `range` with one CR CR LF group per line feed after it; a
/// line break where a line would start is skipped.
void copyLines(std::string_view range, std::string& out)
{
    std::size_t pos = 0;
    while (pos < range.size()) {
        if (isBreak(range[pos])) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        while (pos < range.size() && !isBreak(range[pos])) {
            ++pos;
        }
        out.append(range.substr(start, pos - start));
        appendBreaks(out, takeBreakRun(range, pos));
    }
}

/// The position of the close tag that makes a tag of the open tag at `open`, or npos.
std::size_t findClose(std::string_view text, std::size_t open, char close)
{
    for (std::size_t c = open + 1; c <= open + 3 && c < text.size(); ++c) {
        if (text[c] == close) {
            return c;
        }
    }
    return std::string_view::npos;
}

bool isOpenTask(std::string_view inside)
{
    return inside.find_first_not_of(' ') == std::string_view::npos;
}

} // namespace

void SplitPage(std::string_view text, std::string& carry, std::string& archived, std::string& done,
               bool keepDone, TaskTags tags)
{
    std::size_t handedOn = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != tags.open) {
            ++i;
            continue;
        }
        const std::size_t close = findClose(text, i, tags.close);
        if (close == std::string_view::npos) {
            ++i;
            continue;
        }
        // Text before the tag on its line is filed as it stands, without a line break.
        copyLines(text.substr(handedOn, i - handedOn), archived);
        std::size_t end = i;
        while (end < text.size() && !isBreak(text[end])) {
            ++end;
        }
        const std::string_view line = text.substr(i, end - i);
        const int lineFeeds = takeBreakRun(text, end);
        auto appendLine = [&](std::string& out) {
            out.append(line);
            appendBreaks(out, lineFeeds);
        };
        if (isOpenTask(text.substr(i + 1, close - i - 1))) {
            appendLine(carry);
        } else {
            appendLine(done);
            if (keepDone) {
                appendLine(archived);
            }
        }
        i = handedOn = end;
    }
    copyLines(text.substr(handedOn), archived);
}

void AppendLines(std::string& text, std::string_view lines)
{
    if (lines.empty()) {
        return;
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') {
        text += kLineBreak;
    }
    text += lines;
}

std::string SplitList(std::string_view contents, std::string& done, TaskTags tags)
{
    std::string carry;
    std::string archived;
    std::string listDone;
    SplitPage(contents, carry, archived, listDone, /*keepDone=*/false, tags);
    // The open tasks first, then the rest, each line on its own.
    AppendLines(carry, archived);
    AppendLines(done, listDone);
    return carry;
}

} // namespace daylark
