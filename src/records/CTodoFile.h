#pragma once

#include "format/RecordFile.h"
#include "records/CDaylarkTodo.h"

#include <string>
#include <string_view>

namespace daylark {

/// The named lists, "daylark.tdl": loaded whole when an operation needs them, saved when
/// needed, then emptied. Loading a missing file gives no lists and creates nothing. Records are
/// written with the version they were read with.
class CTodoFile : public RecordFile<CDaylarkTodo>
{
public:
    static constexpr RecordFileContexts kContexts{
        "File Exception, %d, looking for Todo list",
        "File Exception, %d, Creating Todo list archive.",
        {"File Exception, %d, reading Todo list", "Archive Exception, %d, reading Todo list",
         "Memory exception reading a daylark Todo list"},
        {"File Exception, %d, archiving Todo list", "Archive Exception, %d, archiving Todo list",
         "Memory exception archiving a daylark Todo list"},
        "File Exception, %d, archiving ToDo List.",
        {"File Exception, %d, closing Todo list", "Archive Exception, %d, closing Todo list",
         "Memory exception closing a daylark todo list"},
    };

    CTodoFile(std::string path, MessageSink& messages);

    /// The first list, in file order, whose name is exactly `name` (bytes, case matters).
    CDaylarkTodo* FindList(std::string_view name) const;
};

} // namespace daylark
