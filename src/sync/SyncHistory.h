#pragma once

#include "format/RecordFile.h"
#include "platform/FileSystem.h"
#include "platform/MessageSink.h"

#include <memory>
#include <string>
#include <vector>

namespace daylark {

/// What this side agreed on with one other folder at their last synchronisation: a copy of
/// each store (future notes, lists, alarms) as both sides held it when the synchronisation
/// ended. It lives in the data directory under ".sync-state/<folder key>/", one directory per
/// other folder. A folder is known by the random identity in its ".daylark-folder" file, made at
/// the first synchronisation with it (and carried by a sync engine to every machine that shares
/// it): a removable drive swapped for another one at the same place has another identity, so
/// the state agreed with the first is never applied to the second. A "folder" file in the state
/// directory names the folder for people. Backup and synchronisation take only the data files
/// by name, so neither dot-file travels as data.
///
/// With a recorded state the next synchronisation merges three ways, so that what one side
/// removed stays removed; without one (the first time, or a record that cannot be read) it
/// joins both sides whole.
class SyncHistory
{
public:
    static constexpr const char* kStateFolder = ".sync-state";
    static constexpr const char* kIdentityFile = ".daylark-folder";

    /// Reads the folder's identity, or marks the folder with a new one (a failure to mark it is
    /// shown through `messages`).
    SyncHistory(const std::string& dataDir, const std::string& otherDir, MessageSink& messages);

    /// The directory of this folder's state; empty when the folder has no identity and none
    /// could be made (a read-only folder): then nothing is recorded.
    const std::string& directory() const { return m_dir; }
    /// Where the agreed copy of the store file `name` ("daylark.fut") is kept; empty without
    /// an identity.
    std::string recordedPath(const std::string& name) const;
    /// Keeps `thisFile` as the agreed state of `name`, replacing the old record; a missing file
    /// forgets the record. False after a message when it could not be kept.
    bool record(const std::string& thisFile, const std::string& name, MessageSink& messages) const;

    /// The message for a record that exists but cannot be read.
    static std::string unreadableMessage(const std::string& path, const std::string& why);

private:
    std::string m_dir;
    std::string m_otherDir;
};

/// `dir` as an absolute path with its links resolved as far as they exist, without a trailing
/// '/': two names of one folder give the same text.
std::string resolvedDirectory(const std::string& dir);

/// A sink that keeps the messages of a load instead of showing them: a record that fails to
/// read is reported once, in the synchronisation's own words.
class KeptMessages : public MessageSink
{
public:
    MessageAnswer ask(const std::string& text, const std::string&, MessageIcon,
                      MessageButtons) override
    {
        texts.push_back(text);
        return MessageAnswer::Ok;
    }
    void notify(const std::string& text, const std::string&) override { texts.push_back(text); }

    std::vector<std::string> texts;
};

/// A recorded store, loaded read-only: its records are the base of a three-way merge.
template <class File> struct RecordedStore
{
    explicit RecordedStore(const std::string& path)
        : file(path, kept)
    {
        file.setUse(FileUse::ReadOnly);
    }
    ~RecordedStore() { file.Empty(); }
    RecordedStore(const RecordedStore&) = delete;
    RecordedStore& operator=(const RecordedStore&) = delete;

    KeptMessages kept;
    File file;
};

/// Loads the recorded store at `path`: null when there is none; null after one message
/// (unreadableMessage) when it does not read whole.
template <class File>
std::unique_ptr<RecordedStore<File>> loadRecorded(const std::string& path, MessageSink& messages)
{
    if (!fileStatus(path).exists) {
        return nullptr;
    }
    auto store = std::make_unique<RecordedStore<File>>(path);
    if (store->file.Load() != 0) {
        const std::string why =
            store->kept.texts.empty() ? "it does not read whole" : store->kept.texts.front();
        messages.error(SyncHistory::unreadableMessage(path, why));
        return nullptr;
    }
    return store;
}

} // namespace daylark
