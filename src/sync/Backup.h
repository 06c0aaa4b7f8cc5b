#pragma once

#include <string>

namespace daylark {

class MessageSink;
struct SyncSide;

/// Copies `source` over `destination` unless the destination is up to date: present and
/// agreeing with the source (filesAgree: modification time, size and bytes). The copy is atomic and
/// carries the modification time over. Returns 1 when the destination is up to date, was
/// copied, or the source does not exist; 0 when the copy failed ("Error %ld copying %s to
/// %s.\n Is this file in use? ...").
int CopyIfChanged(const std::string& source, const std::string& destination, MessageSink& messages);

/// The name of a file that does not exist yet next to `path`: the path up to its last '/' and
/// five characters after it, then 000, 001, ..., 999, 1000, ... ("/data/1996.dlk" gives
/// "/data/1996.000"). Without a '/' the numbers stand alone.
std::string TemporaryName(const std::string& path);

/// Copies this data set into "LocalDaylark" and, when the directory of `otherPath` exists, the
/// other data set into "RemoteDaylark", both next to `backupPath` (a file path: its directory
/// receives them; each is made when missing). Every file of the set is copied when it changed
/// since the last backup (CopyIfChanged); a missing file is skipped. A file that does not read
/// whole never replaces its copy in the backup (the last good one): it is shown and counts as
/// a failure. A failed copy is shown and the others go on. Each file is a step told to `side`, and
/// each file copied is counted there. Returns 1 when everything is backed up; 0 after any failure,
/// and at once, without a message, when `backupPath` or the year-archive path holds no '/'.
int Backup(const SyncSide& side, const std::string& backupPath, const std::string& otherPath);

} // namespace daylark
