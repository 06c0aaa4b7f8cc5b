#pragma once

#include "format/CObject.h"

#include <cstdint>
#include <string>

namespace daylark {

/// A note written for a later day; it joins that day's page when the day comes.
struct CDaylarkFuture : CObject
{
    static const ClassInfo kClass;
    static constexpr std::uint32_t kNewVersion = 100;
    static constexpr std::uint32_t kWrittenVersion = 101; ///< every note is written with it

    std::string Text;
    std::int64_t Date = 0; ///< a moment within the note's local day (the day view uses midnight)
    std::uint32_t Version = kNewVersion;

    const ClassInfo& classInfo() const override { return kClass; }
    /// Same field values (the record files tell a holder's own edits by them).
    bool operator==(const CDaylarkFuture& other) const;
    /// Fields on file: version, date, text.
    void Serialize(CRecordArchive& ar) override;
};

} // namespace daylark
