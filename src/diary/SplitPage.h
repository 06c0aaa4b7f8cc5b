#pragma once

#include <string>
#include <string_view>

namespace daylark {

/// The task tags of a page: an open tag character, at most two characters, a close tag
/// character. Only blanks inside ("{}", "{ }", "{  }") marks an open task; anything else
/// ("{x}") a done one.
struct TaskTags
{
    char open = '{';
    char close = '}';
};

/// Splits `text` at the end of a day and appends the pieces to the three out texts:
/// open task lines go to `carry` (they move on to the next day's page), done task lines to
/// `done` and, when `keepDone` is set, also to `archived`; all other text goes to `archived`.
/// A task line runs from its tag to the end of its line. Every line break kept is written as
/// CR CR LF, one group for each line feed in the break run after the line; empty lines before
/// the first line of a piece are dropped.
void SplitPage(std::string_view text, std::string& carry, std::string& archived, std::string& done,
               bool keepDone, TaskTags tags = {});

/// Appends `lines` to `text` as lines of their own: after a last line without its line break
/// a CR CR LF comes first, so that the two never run together into one line.
void AppendLines(std::string& text, std::string_view lines);

/// A list's contents after a change of day: its open task lines first, then its other text,
/// each line on its own; its done task lines are appended to `done`. A list without done lines
/// comes out the same when split again.
std::string SplitList(std::string_view contents, std::string& done, TaskTags tags = {});

} // namespace daylark
