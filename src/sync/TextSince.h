#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace daylark {

/// A line as the text merge reads it: its body runs up to a CR, LF or NUL; a NUL ends its line
/// (and is an empty line of its own); the break run of CR and LF follows.
struct TextLine
{
    std::string_view body;
    /// The line's key for MatchLine: the body and its break run (none after a NUL).
    std::string_view key;
    /// The body, the NUL if any and the break run: the text is the concatenation of these.
    std::string_view whole;
    /// The line feeds in the break run.
    int feeds = 0;
};

/// The lines of `text`, viewing into it.
std::vector<TextLine> LinesOf(std::string_view text);

/// Merges two versions of a text (a future note, a list) that both sides had agreed on as `base`
/// at their last synchronisation. Both versions are joined as MergeText joins them (the other
/// side's text first); then a line of the base that one side removed while the other kept it
/// unchanged is removed from the result. Lines either side added or changed stay, and so does a
/// line one side changed and the other removed (its changed version is a line of its own).
/// Lines are compared whole, check box included, without their line breaks.
std::string MergeTextSince(const std::string& base, std::string ours, std::string theirs);

/// The lines of `text` that `base` does not hold (as many times as `text` holds them beyond the
/// base's count), with their line breaks; empty when it holds nothing new. What a copy of a
/// text that may be older than the base brings: its own additions and changes, never its lack
/// of a line.
std::string LinesAddedSince(const std::string& base, const std::string& text);

} // namespace daylark
