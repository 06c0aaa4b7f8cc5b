#include "records/CTodoFile.h"

namespace daylark {

CTodoFile::CTodoFile(std::string path, MessageSink& messages)
    : RecordFile(std::move(path), messages, kContexts, MissingFile::Ignore, "lists")
{}

CDaylarkTodo* CTodoFile::FindList(std::string_view name) const
{
    for (const auto& list : records()) {
        if (list->Name == name) {
            return list.get();
        }
    }
    return nullptr;
}

} // namespace daylark
