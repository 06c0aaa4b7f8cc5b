#pragma once

#include "format/CObject.h"

#include <cstdint>
#include <string>

namespace daylark {

/// The text written on one calendar day, as filed in its year archive.
struct CDaylarkPage : CObject
{
    static const ClassInfo kClass;
    static constexpr std::uint32_t kVersion = 100;

    std::uint32_t Version = kVersion; ///< held as read, not interpreted
    std::int64_t Date = 0;            ///< a moment within the page's local calendar day
    std::string Text;                 ///< line breaks as stored (CR LF, CR CR LF)

    const ClassInfo& classInfo() const override { return kClass; }
    void Serialize(CRecordArchive& ar) override;
};

} // namespace daylark
