#pragma once

#include <string>

namespace daylark {

struct SyncSide;

/// When the current-day page in `otherDir` (its file `dayFile`) is of an earlier day than this
/// side's page, files it under its own date in that directory's year archive and starts that
/// side's page of this side's day, as that side's own change of day would: its open tasks are
/// carried, its due future notes come onto the new page, the done lines of its lists are filed
/// with the page and its past alarms leave. Only then may the two sides' pages be merged: the
/// lines of the old page stay under their day instead of joining today's. Failures are shown
/// as that side's change of day shows them. Returns whether a page was filed.
bool FileOlderPage(const SyncSide& side, const std::string& otherDir, const std::string& dayFile);

} // namespace daylark
