#include "records/CFutureFile.h"

#include "platform/LocalTime.h"
#include "platform/MessageSink.h"

#include <new>
#include <vector>

namespace daylark {

namespace {

void stampFuture(CDaylarkFuture& note)
{
    note.Version = CDaylarkFuture::kWrittenVersion;
}

} // namespace

CFutureFile::CFutureFile(std::string path, MessageSink& messages)
    : RecordFile(std::move(path), messages, kContexts, MissingFile::Ignore, "future notes",
                 &stampFuture)
{}

CDaylarkFuture* CFutureFile::AddNote(std::string text, std::int64_t date)
{
    try {
        auto note = std::make_unique<CDaylarkFuture>();
        note->Text = std::move(text);
        note->Date = date;
        return add(std::move(note));
    } catch (const std::bad_alloc&) {
        messages().error(std::string(kAddingMemory));
        return nullptr;
    }
}

CDaylarkFuture* CFutureFile::FindNote(std::int64_t day) const
{
    const long wanted = localDayNumber(day);
    for (const auto& note : records()) {
        if (localDayNumber(note->Date) == wanted) {
            return note.get();
        }
    }
    return nullptr;
}

void CFutureFile::RemoveNote(const CDaylarkFuture* note)
{
    remove(note);
}

void CFutureFile::MoveDueNotes(std::string& pageText, std::int64_t day)
{
    const long today = localDayNumber(day);
    std::vector<const CDaylarkFuture*> due;
    for (const auto& note : records()) {
        if (localDayNumber(note->Date) <= today) {
            due.push_back(note.get());
        }
    }
    for (const CDaylarkFuture* note : due) {
        pageText += "\r\r\n";
        pageText += note->Text;
        remove(note);
        setChanged(true);
    }
}

} // namespace daylark
