#pragma once

#include "diary/ArchiveScan.h"
#include "tools/DataCheck.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace daylark {

class ByteFile;
class CObject;

/// What a whole-list file (future notes, lists, alarms) holds as far as it reads.
struct StoreContent
{
    std::uint32_t fileVersion = 100;
    /// Whether the file is long enough to hold a file version and a count.
    bool counted = false;
    std::uint16_t declared = 0;                    ///< the count the file gives
    std::vector<std::unique_ptr<CObject>> records; ///< the records that read, in file order
    std::string failure; ///< why the next record did not read; empty when all did
};

/// Reads the store of `kind` (FutureNotes, Lists or Alarms) at `path` record by record, keeping
/// what reads. Throws CFileException when the file cannot be opened.
StoreContent readStore(const std::string& path, DataFileKind kind);

/// An archive's complete entries and, when its chain does not close, the complete entries that
/// end the file after the damaged bytes, found by walking back from its end.
struct ArchiveReading
{
    ArchiveLayout layout;
    /// The value at offset 12 of a file that has one; 16 in an archive header.
    std::int64_t firstEntryField = 16;
    std::vector<ArchiveEntry> entriesAfterDamage;
};

/// Reads an archive's layout. File failures throw.
ArchiveReading readArchive(ByteFile& file);

/// Checks one file of the data set by its kind and fills in what it holds or how it is damaged.
void checkDataFile(FileCheck& file);

} // namespace daylark
