#pragma once

#include <cstddef>
#include <string_view>

namespace daylark {

class PageText;

/// The task box that starts a line, after any blanks or tabs: an open tag character, at most
/// two characters and a close tag character. Only blanks inside ("{}", "{ }") is an open task,
/// anything else ("{x}", "{ok}") a done one.
struct TaskBox
{
    enum class State { None, Open, Done };

    State state = State::None;
    std::size_t start = 0; ///< where the box starts (or would start) in the line
    std::size_t end = 0;   ///< just past the box; start when there is none
};

/// The box at the start of `line` (a line of the page, without its line break).
TaskBox FindTaskBox(std::string_view line);

/// Ctrl+Space in the page: toggles the task box at the start of the caret's line. An open box
/// becomes "{x}", a done one "{}", and a line without a box gets "{} " in front, after any
/// blanks or tabs that indent it. The selection stays on the same characters (a caret where
/// the new box goes ends up after it). A read-only page is left alone. Returns whether the text
/// changed.
bool ToggleTaskBox(PageText& text);

} // namespace daylark
