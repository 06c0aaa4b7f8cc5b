#pragma once

#include <string>
#include <string_view>

namespace daylark {

/// Joins two versions of one text (a page, a future note, a list) line by line. Every line of
/// the longer text stays, in its better version when the shorter text holds a version of it;
/// the shorter text's lines that the result lacks follow at the end. Lines match by a long
/// enough common beginning, and a ticked check box on either side stays ticked. A line that
/// only one side has and that lastA or lastB (when given and longer than 2 bytes) holds is
/// dropped: it was filed with an earlier day. Rebuilt line breaks are CR CR LF.
///
/// The result is also stored into the longer of a and b (into b when they are equally long);
/// the other is left as it was. Texts of any length are merged: no line of either input is
/// lost, except by the last-text rule.
std::string MergeText(std::string& a, std::string& b, const std::string* lastA,
                      const std::string* lastB);

/// Looks for a version of key's line (a line with its line breaks) in text. When found, sets
/// line to the merged version of the line, with its line breaks as CR CR LF, and returns true;
/// otherwise returns false and leaves line unchanged.
bool MatchLine(std::string_view key, std::string_view text, std::string& line);

} // namespace daylark
