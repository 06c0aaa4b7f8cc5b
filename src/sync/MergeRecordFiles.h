#pragma once

#include <string>
#include <vector>

namespace daylark {

class CFutureFile;
class CTodoFile;
struct SyncSide;

/// What the merge of a store knows beyond the two files.
struct StoreHistory
{
    /// The store as both sides agreed on it at their last synchronisation (a SyncHistory
    /// record); empty, missing or unreadable: the two sides are joined whole.
    std::string recorded;
    /// Conflict copies of the other side's file, left by a sync engine: each brings what it
    /// added or changed since the recorded state (all of it without one), never its lack of a
    /// line, as it may be older than the state.
    std::vector<std::string> copies;
};

/// Merges the future notes of `thisFile` (this side's store object, loaded and emptied here;
/// when another operation holds it, its list is shared) with the file `otherFile`, after the
/// file pair rule. Notes are the same when they fall on the same local day: both get the
/// MergeText of the other's text and this one's; a note found on one side only is copied to
/// the other. Both files are saved, this side's first; each is replaced whole.
///
/// With a recorded state the merge is three-way: a note (or list) one side removed since the
/// state while the other left it unchanged is removed on both, and so is such a line of a text
/// (see MergeTextSince); what either side added or changed stays. Without one, and when either
/// file does not read whole, nothing is removed. Returns whether both files now hold the merged
/// store (or agreed already): only then may the state be recorded anew.
bool MergeFutureFiles(const SyncSide& side, CFutureFile& thisFile, const std::string& otherFile,
                      const StoreHistory& history = {});

/// As MergeFutureFiles for the lists: lists are the same when their names are equal byte for
/// byte; a list copied to the other side takes every field but its record version (100).
bool MergeListFiles(const SyncSide& side, CTodoFile& thisFile, const std::string& otherFile,
                    const StoreHistory& history = {});

} // namespace daylark
