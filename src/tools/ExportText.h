#pragma once

#include <string>
#include <string_view>

namespace daylark {

/// A stored text in UTF-8 for files other programs read: every valid UTF-8 sequence is kept,
/// and every other byte is read as Windows-1252 (as pages written by the older program on
/// Windows hold it), so no byte of the diary is lost or left invalid.
std::string utf8FromStored(std::string_view stored);

/// A page, list or note as Markdown: UTF-8 (see utf8FromStored); every line break (CR LF,
/// CR CR LF, a lone CR or LF) becomes LF; a task box at the start of a line (after any blanks
/// or tabs) becomes "- [ ]" when it holds only blanks and "- [x]" otherwise; a plain line
/// followed by another non-empty line ends with two blanks, Markdown's hard break, so the
/// lines stay apart as they do on the page.
std::string markdownFromText(std::string_view stored);

} // namespace daylark
