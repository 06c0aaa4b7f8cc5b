#include "fuzz/FuzzReadObject.h"

#include "alarms/CDaylarkAlarm.h"
#include "diary/CDaylarkPage.h"
#include "format/CRecordArchive.h"
#include "platform/Exceptions.h"
#include "records/CDaylarkFuture.h"
#include "records/CDaylarkTodo.h"
#include "support/MemoryFile.h"

#include <memory>
#include <string>
#include <vector>

namespace daylark::test {

namespace {

/// Reads records of one class until the bytes run out or fail, keeping every new one alive
/// as a store would.
template <class Record> void readAll(const std::string& bytes)
{
    MemoryFile file(bytes);
    CRecordArchive ar(file, CRecordArchive::Mode::Loading);
    std::vector<std::unique_ptr<CObject>> kept;
    try {
        for (int i = 0; i < 10000; ++i) {
            auto result = ar.ReadObject(Record::kClass);
            if (result.isNew()) {
                kept.push_back(std::move(result.owned));
            }
            if (i % 7 == 0) {
                ar.Flush();
            }
        }
    } catch (const CException&) {
    }
}

} // namespace

void fuzzReadObject(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    readAll<CDaylarkPage>(bytes);
    readAll<CDaylarkFuture>(bytes);
    readAll<CDaylarkTodo>(bytes);
    readAll<CDaylarkAlarm>(bytes);
}

} // namespace daylark::test
