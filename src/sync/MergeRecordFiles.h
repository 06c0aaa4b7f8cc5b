#pragma once

#include <string>

namespace daylark {

class CFutureFile;
class CTodoFile;
struct SyncSide;

/// Merges the future notes of `thisFile` (this side's store object, loaded and emptied here;
/// when another operation holds it, its list is shared) with the file `otherFile`, after the
/// file pair rule. Notes are the same when they fall on the same local day: both get the
/// MergeText of the other's text and this one's; a note found on one side only is copied to
/// the other. Both files are saved, this side's first; each is replaced whole.
void MergeFutureFiles(const SyncSide& side, CFutureFile& thisFile, const std::string& otherFile);

/// As MergeFutureFiles for the lists: lists are the same when their names are equal byte for
/// byte; a list copied to the other side takes every field but its record version (100).
void MergeListFiles(const SyncSide& side, CTodoFile& thisFile, const std::string& otherFile);

} // namespace daylark
