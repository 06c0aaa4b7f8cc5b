#pragma once

#include "format/CRecordArchive.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace daylark {

class ByteFile;
class MessageSink;

/// The context lines under which one record file reports its failures.
struct RecordFileContexts
{
    std::string_view looking;      ///< file: an existing file fails to open for loading
    std::string_view creating;     ///< file: the file (or its replacement) cannot be created
    FailureContext reading;        ///< opening and loading
    FailureContext archiving;      ///< saving
    std::string_view recordFields; ///< file: inside one record's own fields, either direction
    FailureContext closing;        ///< closing the pass and the file
};

/// A file failure while a record wrote or read its own fields. The record files report it
/// under their record line ("File Exception, %d, archiving Future.").
class CRecordFieldsException : public CFileException
{
public:
    explicit CRecordFieldsException(const CFileException& failure)
        : CFileException(failure.cause(), failure.osError())
    {}
};

/// Runs a record's field transfer so that a file failure inside it is known as one.
template <class Fields> void serializeRecordFields(Fields&& fields)
{
    try {
        fields();
    } catch (const CRecordFieldsException&) {
        throw;
    } catch (const CFileException& failure) {
        throw CRecordFieldsException(failure);
    }
}

/// Whether loading a missing file creates it (empty) or leaves it missing.
enum class MissingFile { Ignore, Create };

/// Whether a record file may be written by its holder. One that is only read (a listing, a
/// search) creates nothing and leaves a file that fails to read as it is, without a copy.
enum class FileUse { ReadWrite, ReadOnly };

/// What the three whole-list files (future notes, lists, alarms) share apart from their record
/// type: the file, its framing (DWORD file version, WORD count, the records in one pass), the
/// changed flag, the messages, and how deep the list is held.
///
/// Saves are atomic: a failed save leaves the old file whole. A file that fails to read is
/// copied aside ("<name>.damaged.NNN") before anything can be written over it, and the message
/// names the copy; a copy with the same bytes that exists already is named instead of making
/// another. When even the copy fails, saves are refused until a load succeeds. Read only, the
/// file is never copied (nothing will write over it): the message names an existing copy.
class RecordFileBase
{
public:
    /// A file's count is a WORD: no file holds more records.
    static constexpr std::size_t kMaxRecords = 0xFFFF;
    static constexpr std::uint32_t kNewFileVersion = 100;
    /// A file shorter than this holds no records, whatever its bytes: it reads as an empty
    /// list with the file version left as it was.
    static constexpr std::int64_t kMinRecordsLength = 8;

    const std::string& path() const { return m_path; }
    /// Set by whoever adds, removes or edits a record; read by the holder that loaded the list
    /// to decide whether to save. Load, Save and Empty leave it as it is, except that a nested
    /// holder's Empty gives the outer holder its own flag back.
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    /// 100 in a new object; a value read from the file replaces it and is written back.
    std::uint32_t fileVersion() const { return m_fileVersion; }
    /// How many holders have loaded the list and not yet emptied it.
    int holders() const { return m_depth; }

    /// Puts a device between the record stream and the file, both when loading and saving.
    /// Tests use one that fails after a number of bytes.
    using DeviceFilter = std::function<std::unique_ptr<ByteFile>(ByteFile&)>;
    void setDeviceFilter(DeviceFilter filter) { m_filter = std::move(filter); }
    /// Set before the first Load; a read-only file refuses every Save.
    void setUse(FileUse use) { m_use = use; }

protected:
    /// `recordNoun` names the records in messages ("future notes").
    RecordFileBase(std::string path, MessageSink& messages, const RecordFileContexts& contexts,
                   MissingFile missing, std::string_view recordNoun);
    ~RecordFileBase();
    RecordFileBase(const RecordFileBase&) = delete;
    RecordFileBase& operator=(const RecordFileBase&) = delete;

    /// The end of one read or write: success, or the one message to show for its failure.
    struct Outcome
    {
        bool ok = true;
        std::string message;
    };

    /// Reads the file: the file version and the count when it has at least 8 bytes, then
    /// `readRecord` count times. Never throws; the pass and the file are closed either way.
    Outcome readFile(const std::function<void(CRecordArchive&)>& readRecord);
    /// Writes the file version, `count` and, through `writeRecords`, the records to a new file
    /// that replaces the old one only when everything was written. Never throws.
    Outcome writeFile(std::size_t count, const std::function<void(CRecordArchive&)>& writeRecords);
    /// Shows the failure's message, if any; returns the Load / Save result (0 or 1).
    int report(const Outcome& outcome);
    /// The message that refuses an addition to a full list.
    void refuseFullList();
    MessageSink& messages() { return m_messages; }

    int m_depth = 0;

private:
    Outcome loadFailed(std::string message);

    std::string m_path;
    MessageSink& m_messages;
    const RecordFileContexts& m_contexts;
    MissingFile m_missing;
    std::string_view m_recordNoun;
    bool m_changed = false;
    std::uint32_t m_fileVersion = kNewFileVersion;
    DeviceFilter m_filter;
    FileUse m_use = FileUse::ReadWrite;

    /// The file failed to read and could not be copied aside: it must not be written over.
    bool m_mustNotOverwrite = false;
};

/// A whole-list record file over records of type T (a CObject with T::kClass, copyable, with
/// operator==).
///
/// Callers follow one pattern: Load; clear or keep the changed flag; work on the list; Save
/// when the changed flag is set; Empty. Every Load is paired with one Empty.
///
/// Nesting. The clock tick runs inside dialogs, so a change of day can load, save and empty a
/// file while a dialog holds it. A Load while the list is held reuses the held list (nothing is
/// read twice). A nested holder's Save writes what the file held plus the changes made since
/// that holder's Load, and not the unsaved edits of the holders around it; its Empty hands the
/// list back untouched, with the outer holder's changed flag. So a nested change reaches the
/// file whether the outer holder later saves (its Save writes the whole list) or discards its
/// own edits (Empty without Save).
///
/// Records taken out of the list stay alive until the outermost Empty, so a pointer a holder
/// keeps never dangles while it holds the list.
template <class T> class RecordFile : public RecordFileBase
{
public:
    using List = std::vector<std::unique_ptr<T>>;

    /// Reads the whole file and appends its records to the list, unless the list is held
    /// already. Returns 0, or 1 after a failure (the records read before it stay).
    int Load();
    /// Writes the list over the file (see nesting above). Returns 0, or 1 after a failure.
    int Save();
    /// Deletes every record and empties the list; a nested holder's Empty only lets go.
    void Empty();

    /// The records in file order. Their fields may be edited (set the changed flag); records
    /// are added and taken out through add() and remove().
    const List& records() const { return m_list; }
    /// Appends a record. Refused with a message (null result) when the list holds the most a
    /// file can count. Does not set the changed flag.
    T* add(std::unique_ptr<T> record);
    /// Takes a record out of the list; false when it is not in the list (or null). Does not
    /// set the changed flag.
    bool remove(const T* record);

protected:
    /// `stamp`, when given, is applied to every record just before it is written.
    RecordFile(std::string path, MessageSink& messages, const RecordFileContexts& contexts,
               MissingFile missing, std::string_view recordNoun, void (*stamp)(T&) = nullptr)
        : RecordFileBase(std::move(path), messages, contexts, missing, recordNoun)
        , m_stamp(stamp)
    {}

private:
    /// A record as the file holds it, with the held record it stands for (null when none).
    struct FileRecord
    {
        const T* origin = nullptr;
        T record;
    };
    using Snapshot = std::unordered_map<const T*, T>;
    struct NestedHolder
    {
        bool outerChanged = false;
        Snapshot before; ///< the list as this holder found it (or last saved it)
    };

    Snapshot snapshot() const;
    std::vector<FileRecord> copyOfList() const;
    std::vector<FileRecord> withChangesSince(const Snapshot& before) const;
    int write(std::vector<FileRecord>& records);

    List m_list;
    List m_removed;                   ///< taken out while held; deleted by the outermost Empty
    std::vector<FileRecord> m_onFile; ///< what the file holds, as far as this object knows
    std::vector<NestedHolder> m_nested;
    void (*m_stamp)(T&) = nullptr;
};

template <class T> int RecordFile<T>::Load()
{
    if (m_depth > 0) {
        m_nested.push_back({changed(), snapshot()});
        ++m_depth;
        return 0;
    }
    ++m_depth;
    m_onFile.clear(); // from here on the file holds what is read now
    List read;
    const Outcome outcome =
        readFile([&read](CRecordArchive& ar) { read.push_back(ar.ReadNewObject<T>()); });
    for (auto& record : read) {
        m_onFile.push_back({record.get(), *record});
        m_list.push_back(std::move(record));
    }
    // The message comes last: its box runs a nested loop that may use this list.
    return report(outcome);
}

template <class T> int RecordFile<T>::Save()
{
    if (m_nested.empty()) {
        std::vector<FileRecord> records = copyOfList();
        return write(records);
    }
    std::vector<FileRecord> records = withChangesSince(m_nested.back().before);
    const int result = write(records);
    if (result == 0) {
        m_nested.back().before = snapshot();
    }
    return result;
}

template <class T> int RecordFile<T>::write(std::vector<FileRecord>& records)
{
    if (m_stamp != nullptr) {
        for (FileRecord& entry : records) {
            m_stamp(entry.record);
        }
        if (m_nested.empty()) {
            for (auto& record : m_list) {
                m_stamp(*record);
            }
        }
    }
    const Outcome outcome = writeFile(records.size(), [&records](CRecordArchive& ar) {
        for (const FileRecord& entry : records) {
            ar.WriteObject(&entry.record);
        }
    });
    if (outcome.ok) {
        m_onFile = std::move(records);
    }
    return report(outcome);
}

template <class T> void RecordFile<T>::Empty()
{
    if (m_depth > 1) {
        setChanged(m_nested.back().outerChanged);
        m_nested.pop_back();
        --m_depth;
        return;
    }
    m_depth = 0;
    m_nested.clear();
    m_onFile.clear();
    m_list.clear();
    m_removed.clear();
}

template <class T> T* RecordFile<T>::add(std::unique_ptr<T> record)
{
    if (record == nullptr) {
        return nullptr;
    }
    if (m_list.size() >= kMaxRecords) {
        refuseFullList();
        return nullptr;
    }
    m_list.push_back(std::move(record));
    return m_list.back().get();
}

template <class T> bool RecordFile<T>::remove(const T* record)
{
    const auto found = std::find_if(m_list.begin(), m_list.end(),
                                    [record](const auto& held) { return held.get() == record; });
    if (record == nullptr || found == m_list.end()) {
        return false;
    }
    m_removed.push_back(std::move(*found));
    m_list.erase(found);
    return true;
}

template <class T> typename RecordFile<T>::Snapshot RecordFile<T>::snapshot() const
{
    Snapshot result;
    result.reserve(m_list.size());
    for (const auto& record : m_list) {
        result.emplace(record.get(), *record);
    }
    return result;
}

template <class T> std::vector<typename RecordFile<T>::FileRecord> RecordFile<T>::copyOfList() const
{
    std::vector<FileRecord> result;
    result.reserve(m_list.size());
    for (const auto& record : m_list) {
        result.push_back({record.get(), *record});
    }
    return result;
}

template <class T>
std::vector<typename RecordFile<T>::FileRecord>
RecordFile<T>::withChangesSince(const Snapshot& before) const
{
    std::unordered_set<const T*> held;
    held.reserve(m_list.size());
    for (const auto& record : m_list) {
        held.insert(record.get());
    }
    // Records this holder took out leave the file; those an outer holder took out stay there
    // until that holder saves.
    std::vector<FileRecord> result;
    result.reserve(m_onFile.size() + m_list.size());
    for (const FileRecord& entry : m_onFile) {
        const bool removedHere = entry.origin != nullptr && before.contains(entry.origin) &&
                                 !held.contains(entry.origin);
        if (!removedHere) {
            result.push_back(entry);
        }
    }
    std::unordered_map<const T*, std::size_t> position;
    position.reserve(result.size());
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (result[i].origin != nullptr) {
            position.emplace(result[i].origin, i);
        }
    }
    for (const auto& record : m_list) {
        const auto onFile = position.find(record.get());
        const auto found = before.find(record.get());
        if (found != before.end()) {
            // Held before this holder came: only its own edits go to the file, and only to a
            // record the file has (an outer holder's unsaved addition stays with that holder).
            if (onFile != position.end() && !(found->second == *record)) {
                result[onFile->second].record = *record;
            }
            continue;
        }
        // Added by this holder or by one nested in it.
        if (onFile != position.end()) {
            result[onFile->second].record = *record;
        } else {
            result.push_back({record.get(), *record});
        }
    }
    return result;
}

} // namespace daylark
