#pragma once

#include <string>

namespace daylark {

struct SyncSide;

/// Merges this data set with the one in the directory of `otherPath` (a file path), both ways:
/// first the page view goes back to today's page; then the year archives from 1995 to the
/// current year, the alarms (with `alarms`), the lists (with `lists`), the future notes and the
/// current-day pages (dropping the lines found in the last filed page of the current year on
/// either side). Each merge reports its own failures and the next one runs regardless; each is a
/// step told to `side` before it runs, and what it copies or merges is counted there. Returns
/// 1 when the merges ran, 0 (changing nothing) when `otherPath` or the document's year-archive
/// path holds no '/'.
int Synchronize(const SyncSide& side, const std::string& otherPath, bool alarms, bool lists);

} // namespace daylark
