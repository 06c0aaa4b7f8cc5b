#include "sync/MergeRecordFiles.h"

#include "diary/CDaylarkDoc.h"
#include "diary/MergeText.h"
#include "platform/LocalTime.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "sync/FilePairRule.h"
#include "sync/FileSet.h"
#include "sync/SyncHistory.h"
#include "sync/SyncSide.h"
#include "sync/TextSince.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace daylark {

namespace {

constexpr FilePairMessages kFutureMessages{"Error %ld copying %s to %s\n No Future list #1",
                                           "Error %ld copying %s to %s\n No FutureList #2"};
constexpr FilePairMessages kListsMessages{"Error %ld copying %s to %s\n No Todo list #1",
                                          "Error %ld copying %s to %s\n No TodoList #2"};

/// How one kind of record is matched, merged and copied.
struct FutureKind
{
    using File = CFutureFile;
    static long key(const CDaylarkFuture& note) { return localDayNumber(note.Date); }
    static std::string& text(CDaylarkFuture& note) { return note.Text; }
    static std::unique_ptr<CDaylarkFuture> copy(const CDaylarkFuture& note)
    {
        auto made = std::make_unique<CDaylarkFuture>();
        made->Text = note.Text;
        made->Date = note.Date;
        return made;
    }
};

struct ListKind
{
    using File = CTodoFile;
    static const std::string& key(const CDaylarkTodo& list) { return list.Name; }
    static std::string& text(CDaylarkTodo& list) { return list.Contents; }
    static std::unique_ptr<CDaylarkTodo> copy(const CDaylarkTodo& list)
    {
        auto made = std::make_unique<CDaylarkTodo>(list);
        made->Version = CDaylarkTodo::kNewVersion;
        return made;
    }
};

/// The first record of a list for each key, kept up to date as records are appended.
template <class Kind, class T> class FirstByKey
{
public:
    explicit FirstByKey(const RecordFile<T>& file)
    {
        for (const auto& record : file.records()) {
            note(*record);
        }
    }
    T* find(const T& record) const
    {
        const auto found = m_first.find(Kind::key(record));
        return found == m_first.end() ? nullptr : found->second;
    }
    void note(T& record) { m_first.emplace(Kind::key(record), &record); }

private:
    std::map<std::decay_t<decltype(Kind::key(std::declval<T&>()))>, T*> m_first;
};

/// Which side's list a pass of mergeInto walks.
enum class Walking { ThisSide, OtherSide };

/// For each record of `from` in list order: merges it with the first record of `to` that has
/// its key (MergeText of the other side's text and this side's, given to both), or appends a
/// copy to `to`.
template <class Kind, class T>
void mergeInto(RecordFile<T>& from, RecordFile<T>& to, FirstByKey<Kind, T>& toIndex,
               Walking walking, const FirstByKey<Kind, T>* base)
{
    for (std::size_t i = 0; i < from.records().size(); ++i) {
        T& record = *from.records()[i];
        T* match = toIndex.find(record);
        if (match == nullptr) {
            if (T* added = to.add(Kind::copy(record))) {
                toIndex.note(*added);
            }
            continue;
        }
        T& ours = walking == Walking::ThisSide ? record : *match;
        T& theirs = walking == Walking::ThisSide ? *match : record;
        T* agreed = base != nullptr ? base->find(record) : nullptr;
        const std::string merged =
            agreed != nullptr
                ? MergeTextSince(Kind::text(*agreed), Kind::text(ours), Kind::text(theirs))
                : MergeText(Kind::text(theirs), Kind::text(ours), nullptr, nullptr);
        Kind::text(ours) = merged;
        Kind::text(theirs) = merged;
    }
}

/// Empties a store's list when the merge is over, also when it stops half way.
template <class T> struct HeldList
{
    RecordFile<T>& file;
    ~HeldList() { file.Empty(); }
};

/// What a conflict copy brings to the other side's list: the records it added, and the lines
/// it added or changed in records the recorded state holds.
template <class Kind, class T>
void takeFromCopy(RecordFile<T>& copy, RecordFile<T>& theirs, const FirstByKey<Kind, T>* base)
{
    FirstByKey<Kind, T> theirIndex(theirs);
    for (const auto& record : copy.records()) {
        T* agreed = base != nullptr ? base->find(*record) : nullptr;
        std::string brought = Kind::text(*record);
        if (agreed != nullptr) {
            brought = LinesAddedSince(Kind::text(*agreed), brought);
            if (brought.empty()) {
                continue;
            }
        }
        if (T* match = theirIndex.find(*record)) {
            Kind::text(*match) = MergeText(Kind::text(*match), brought, nullptr, nullptr);
        } else if (T* added = theirs.add(Kind::copy(*record))) {
            theirIndex.note(*added);
        }
    }
}

/// Takes out of `from` every record the other side lacks that the recorded state holds with
/// the same text: the other side removed it since, and this side left it as it was.
template <class Kind, class T>
void dropRemovedByOther(RecordFile<T>& from, const RecordFile<T>& other,
                        const FirstByKey<Kind, T>& base)
{
    const FirstByKey<Kind, T> otherIndex(other);
    std::vector<const T*> removed;
    for (const auto& record : from.records()) {
        T* agreed = base.find(*record);
        if (otherIndex.find(*record) == nullptr && agreed != nullptr &&
            Kind::text(*agreed) == Kind::text(*record)) {
            removed.push_back(record.get());
        }
    }
    for (const T* record : removed) {
        from.remove(record);
    }
}

template <class Kind, class T>
bool mergeFiles(const SyncSide& side, RecordFile<T>& ours, RecordFile<T>&& theirs,
                const FilePairMessages& messages, const StoreHistory& history)
{
    MessageSink& sink = side.doc.messages();
    if (history.copies.empty() && filesAgree(ours.path(), theirs.path())) {
        return true; // one is a copy of the other: nothing to merge, with or without a state
    }
    // A missing file is copied over whole, never taken as every note removed.
    const bool oneMissing = dataFileMissing(ours.path()) || dataFileMissing(theirs.path());
    const auto recorded = history.recorded.empty() || oneMissing
                              ? nullptr
                              : loadRecorded<typename Kind::File>(history.recorded, sink);
    // An unreadable record was reported; the union that follows may still end well.
    const std::size_t failuresBefore = sink.failuresShown();
    if (recorded == nullptr) {
        const ThisSideHeld held = ours.holders() > 0 ? ThisSideHeld::Yes : ThisSideHeld::No;
        if (!ApplyFilePairRule(side, ours.path(), theirs.path(), messages, held) &&
            history.copies.empty()) {
            return sink.failuresShown() == failuresBefore;
        }
    }
    const bool read = ours.Load() == 0;
    const HeldList<T> holdingOurs{ours};
    const bool readTheirs = theirs.Load() == 0;
    const HeldList<T> holdingTheirs{theirs};
    std::optional<FirstByKey<Kind, T>> base;
    // A side that did not read whole lacks records it has: nothing is taken as removed then.
    if (recorded != nullptr && read && readTheirs) {
        base.emplace(recorded->file);
    }
    for (const std::string& path : history.copies) {
        typename Kind::File copy(path, sink);
        copy.setUse(FileUse::ReadOnly);
        copy.Load();
        takeFromCopy<Kind>(copy, theirs, base ? &*base : nullptr);
        copy.Empty();
    }
    if (base) {
        dropRemovedByOther<Kind>(ours, theirs, *base);
        dropRemovedByOther<Kind>(theirs, ours, *base);
    }
    FirstByKey<Kind, T> ourIndex(ours);
    FirstByKey<Kind, T> theirIndex(theirs);
    mergeInto(ours, theirs, theirIndex, Walking::ThisSide, base ? &*base : nullptr);
    mergeInto(theirs, ours, ourIndex, Walking::OtherSide, base ? &*base : nullptr);
    ours.setChanged(true);
    theirs.setChanged(true);
    side.aboutToWrite(ours.path());
    const bool saved = ours.Save() == 0;
    side.aboutToWrite(theirs.path());
    return theirs.Save() == 0 && saved && read && readTheirs &&
           sink.failuresShown() == failuresBefore;
}

} // namespace

} // namespace daylark

bool daylark::MergeFutureFiles(const SyncSide& side, CFutureFile& thisFile,
                               const std::string& otherFile, const StoreHistory& history)
{
    return mergeFiles<FutureKind>(side, thisFile, CFutureFile(otherFile, side.doc.messages()),
                                  kFutureMessages, history);
}

bool daylark::MergeListFiles(const SyncSide& side, CTodoFile& thisFile,
                             const std::string& otherFile, const StoreHistory& history)
{
    return mergeFiles<ListKind>(side, thisFile, CTodoFile(otherFile, side.doc.messages()),
                                kListsMessages, history);
}
