#pragma once

#include "diary/CDaylarkPage.h"
#include "platform/Locations.h"
#include "support/RecordFileTestSupport.h"

#include <cstdint>
#include <optional>
#include <string>

namespace daylark::test {

/// A current-day file in the versioned layout (texts below 255 bytes).
inline std::string dayFileBytes(std::int64_t date, const std::string& page, std::uint32_t flag = 0,
                                std::uint32_t version = 2)
{
    return dword(version) + dword(date) + dword(flag) + text(page);
}

inline Locations locate(const std::string& dataDir, std::optional<std::string> dayFile = {})
{
    return Locations::resolve({dataDir, {}, std::move(dayFile)},
                              [](const char*) { return nullptr; });
}

inline CDaylarkPage makePage(std::int64_t date, std::string text)
{
    CDaylarkPage page;
    page.Date = date;
    page.Text = std::move(text);
    return page;
}

} // namespace daylark::test
