#pragma once

#include "format/RecordFile.h"
#include "records/CDaylarkFuture.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace daylark {

/// The future notes, "daylark.fut": loaded whole when an operation needs them, saved when
/// changed, then emptied. Loading a missing file gives no notes and creates nothing.
class CFutureFile : public RecordFile<CDaylarkFuture>
{
public:
    static constexpr RecordFileContexts kContexts{
        "File Exception, %d, looking for Future",
        "File Exception, %d, Creating Future archive.",
        {"File Exception, %d, reading Future", "Archive Exception, %d, reading Future",
         "Memory exception reading a daylark Future"},
        {"File Exception, %d, archiving Future", "Archive Exception, %d, archiving Future",
         "Memory exception archiving a daylark Future"},
        "File Exception, %d, archiving Future.",
        {"File Exception, %d, reading Future", "Archive Exception, %d, reading Future",
         "Memory exception reading a daylark Future"},
    };
    static constexpr std::string_view kAddingMemory = "Memory exception adding a daylark Future";

    CFutureFile(std::string path, MessageSink& messages);

    /// Appends a note (version 100) for the day of `date`. Null when it could not be added (a
    /// message says why). Does not set the changed flag.
    CDaylarkFuture* AddNote(std::string text, std::int64_t date);
    /// The first note, in list order, on the same local calendar day as `day`; null if none.
    CDaylarkFuture* FindNote(std::int64_t day) const;
    /// Takes the note out of the list; nothing happens when it is null or not in the list. Does
    /// not set the changed flag.
    void RemoveNote(const CDaylarkFuture* note);
    /// Moves every note dated on `day`'s local date or earlier to the end of `pageText`, each
    /// after CR CR LF, in list order, and sets the changed flag when it moved any.
    void MoveDueNotes(std::string& pageText, std::int64_t day);
};

} // namespace daylark
