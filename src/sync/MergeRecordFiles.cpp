#include "sync/MergeRecordFiles.h"

#include "diary/CDaylarkDoc.h"
#include "diary/MergeText.h"
#include "platform/LocalTime.h"
#include "records/CFutureFile.h"
#include "records/CTodoFile.h"
#include "sync/FilePairRule.h"
#include "sync/SyncSide.h"

#include <map>
#include <memory>
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
               Walking walking)
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
        const std::string merged =
            MergeText(Kind::text(theirs), Kind::text(ours), nullptr, nullptr);
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

template <class Kind, class T>
void mergeFiles(const SyncSide& side, RecordFile<T>& ours, RecordFile<T>&& theirs,
                const FilePairMessages& messages)
{
    const ThisSideHeld held = ours.holders() > 0 ? ThisSideHeld::Yes : ThisSideHeld::No;
    if (!ApplyFilePairRule(side, ours.path(), theirs.path(), messages, held)) {
        return;
    }
    ours.Load();
    const HeldList<T> holdingOurs{ours};
    theirs.Load();
    const HeldList<T> holdingTheirs{theirs};
    FirstByKey<Kind, T> ourIndex(ours);
    FirstByKey<Kind, T> theirIndex(theirs);
    mergeInto(ours, theirs, theirIndex, Walking::ThisSide);
    mergeInto(theirs, ours, ourIndex, Walking::OtherSide);
    ours.setChanged(true);
    theirs.setChanged(true);
    side.aboutToWrite(ours.path());
    ours.Save();
    side.aboutToWrite(theirs.path());
    theirs.Save();
}

} // namespace

} // namespace daylark

void daylark::MergeFutureFiles(const SyncSide& side, CFutureFile& thisFile,
                               const std::string& otherFile)
{
    mergeFiles<FutureKind>(side, thisFile, CFutureFile(otherFile, side.doc.messages()),
                           kFutureMessages);
}

void daylark::MergeListFiles(const SyncSide& side, CTodoFile& thisFile,
                             const std::string& otherFile)
{
    mergeFiles<ListKind>(side, thisFile, CTodoFile(otherFile, side.doc.messages()), kListsMessages);
}
