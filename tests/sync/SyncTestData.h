#pragma once

#include "app/DaylarkApp.h"
#include "platform/Locations.h"
#include "support/DataSetTestFiles.h"
#include "sync/SyncSide.h"

#include <functional>
#include <memory>
#include <string>

namespace daylark::test {

constexpr std::int64_t kNow = 857397900; // Monday 3 March 1997, 9:05 EST

/// This side's application over `dataDir`, started (the current-day file loaded), as the
/// desktop program has it before its window shows.
inline std::unique_ptr<DaylarkApp> startApp(const std::string& dataDir, const std::string& profile,
                                            MessageSink& messages, const Clock& clock)
{
    auto app = std::make_unique<DaylarkApp>(
        Locations::resolve({dataDir, profile, {}},
                           [](const char*) -> const char* { return nullptr; }),
        messages, clock);
    app->start();
    return app;
}

inline SyncSide sideOf(DaylarkApp& app, std::function<void(const std::string&)> beforeWrite = {})
{
    return {app.doc(), app.frame().alarmFile(), app.frame().listsFile(), &app.view(),
            std::move(beforeWrite)};
}

} // namespace daylark::test
