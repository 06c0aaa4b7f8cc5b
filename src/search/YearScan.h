#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace daylark {

/// Which filed pages a walk hands on, newest first: those whose text matches, and the page
/// that ends the walk. The pages end after the first page whose local day is before
/// `limitDay`, or after the newest page when `newestOnly` is set.
struct PageFilter
{
    std::function<bool(std::string_view)> matches;
    long limitDay = 0;
    std::int64_t limit = 0; ///< a moment of the local day `limitDay`
    bool newestOnly = false;

    /// Whether a page of `date` lies on a local day before the limit's day.
    bool beforeLimit(std::int64_t date) const;
};

/// What the caller may still take: it stops at or before the matching page that uses either
/// up, so nothing older needs to be read.
struct WalkBudget
{
    std::size_t matches = 0;
    std::size_t textBytes = 0;

    bool spent() const { return matches == 0 || textBytes == 0; }
    /// Counts a matching page handed on.
    void take(std::size_t textSize);
};

/// One page a walk hands on.
struct WalkedPage
{
    std::int64_t date = 0;
    std::string text; ///< empty unless it matched
    bool matched = false;
    bool last = false; ///< no older page is to be tested
};

/// Reads the year archive at `path` in large blocks from its end backward, without decoding
/// a record object by object, and gives the pages to hand on (see PageFilter), newest first;
/// the last of them has `last` set when it ended the walk. `budget` is used up as it goes.
///
/// Only an archive whose every entry walked is whole and written plainly (the full class
/// description, an 8-bit text, offsets that agree) is read this way; for anything else (a
/// torn tail, a wide text, a broken chain, a file that cannot be read) it gives nothing and
/// leaves `budget` alone, and the caller walks the archive entry by entry, which reports
/// what it meets in its own words.
std::optional<std::vector<WalkedPage>>
scanYearArchive(const std::string& path, const PageFilter& filter, WalkBudget& budget);

} // namespace daylark
