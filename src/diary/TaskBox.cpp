#include "diary/TaskBox.h"

#include "diary/PageText.h"

#include <algorithm>
#include <string>

namespace daylark {

namespace {

constexpr char kOpenTag = '{';
constexpr char kCloseTag = '}';
/// A box holds at most this many characters between its tags.
constexpr std::size_t kMaxInside = 2;

bool isBreak(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

TaskBox FindTaskBox(std::string_view line)
{
    TaskBox box;
    while (box.start < line.size() && (line[box.start] == ' ' || line[box.start] == '\t')) {
        ++box.start;
    }
    box.end = box.start;
    if (box.start >= line.size() || line[box.start] != kOpenTag) {
        return box;
    }
    for (std::size_t c = box.start + 1; c <= box.start + 1 + kMaxInside && c < line.size(); ++c) {
        if (isBreak(line[c])) {
            break;
        }
        if (line[c] == kCloseTag) {
            const std::string_view inside = line.substr(box.start + 1, c - box.start - 1);
            box.state = inside.find_first_not_of(' ') == std::string_view::npos
                            ? TaskBox::State::Open
                            : TaskBox::State::Done;
            box.end = c + 1;
            break;
        }
    }
    return box;
}

bool ToggleTaskBox(PageText& text)
{
    if (text.readOnly()) {
        return false;
    }
    const std::string all = text.text();
    const PageText::Selection selection = text.selection();
    std::size_t lineStart = std::min(selection.start, all.size());
    while (lineStart > 0 && !isBreak(all[lineStart - 1])) {
        --lineStart;
    }
    std::size_t lineEnd = lineStart;
    while (lineEnd < all.size() && !isBreak(all[lineEnd])) {
        ++lineEnd;
    }
    const TaskBox box = FindTaskBox(std::string_view(all).substr(lineStart, lineEnd - lineStart));
    const std::size_t at = lineStart + box.start;
    const std::size_t end = lineStart + box.end;
    const std::string replacement = box.state == TaskBox::State::None   ? "{} "
                                    : box.state == TaskBox::State::Open ? "{x}"
                                                                        : "{}";
    // Where a position of the old text lies in the new one.
    const auto moved = [&](std::size_t position) {
        if (position < at || (position == at && end > at)) {
            return position;
        }
        if (position >= end) {
            return position - (end - at) + replacement.size();
        }
        return at + replacement.size();
    };
    text.setSelection(at, end);
    text.replaceSelection(replacement);
    text.setSelection(moved(selection.start), moved(selection.end));
    return true;
}

} // namespace daylark
