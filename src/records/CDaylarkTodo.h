#pragma once

#include "format/CObject.h"

#include <cstdint>
#include <string>

namespace daylark {

/// A named list ("Lists of things").
struct CDaylarkTodo : CObject
{
    static const ClassInfo kClass;
    static constexpr std::uint32_t kNewVersion = 100;

    std::uint32_t Version = kNewVersion; ///< held as read and written back unchanged
    std::int64_t Created = 0;
    std::int64_t LastChanged = 0;
    std::string Name;     ///< the key of the list, compared byte by byte
    std::string Contents; ///< lines separated by CR LF

    const ClassInfo& classInfo() const override { return kClass; }
    /// Same field values (the record files tell a holder's own edits by them).
    bool operator==(const CDaylarkTodo& other) const;
    void Serialize(CRecordArchive& ar) override;
};

} // namespace daylark
