#pragma once

#include "app/DaylarkApp.h"
#include "app/QuietRetrySink.h"
#include "support/FixedClock.h"
#include "support/RecordingDialogs.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"
#include "ui/page/PageEdit.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>

/// The desktop program as main() makes it, over a temporary data set, for the main window's
/// tests.
namespace daylark::test {

constexpr std::int64_t kMorning = 857397900; // Monday 3 March 1997, 9:05 in New York

/// Records every message and counts the boxes of one kind.
class BoxSink : public RecordingSink
{
public:
    int countCaption(const std::string& part) const
    {
        return int(std::count_if(messages.begin(), messages.end(), [&](const Message& m) {
            return m.caption.find(part) != std::string::npos;
        }));
    }
};

inline Locations locationsIn(const TempDir& dir, const std::string& dayFile = {})
{
    LocationOptions options;
    options.dataDir = dir.file("data");
    options.profile = dir.file("daylark.ini");
    options.dayFile = dayFile;
    return Locations::resolve(options, [](const char*) -> const char* { return nullptr; });
}

/// Runs `use` on the program's core over the data in `dir`, as another run
/// without a window.
inline void withApp(const TempDir& dir, const std::function<void(DaylarkApp&)>& use,
                    const std::string& dayFile = {})
{
    BoxSink sink;
    FixedClock clock(kMorning);
    DaylarkApp app(locationsIn(dir, dayFile), sink, clock);
    app.start();
    use(app);
}

/// The page of the current-day file as another run of the program reads it.
inline std::string savedPage(const TempDir& dir, const std::string& dayFile = {})
{
    std::string text;
    withApp(
        dir, [&text](DaylarkApp& app) { text = app.doc().pageText().text(); }, dayFile);
    return text;
}

/// The program as main() makes it, with a fixed clock and a recording sink.
struct Session
{
    /// `inFirstBox`, when given, runs inside the first box the program shows; `answers`
    /// answer the program's questions in turn (Cancel when they run out).
    explicit Session(const TempDir& dir, std::int64_t now, const std::string& dayFile = {},
                     const std::function<void(Session&)>& inFirstBox = {},
                     std::deque<MessageAnswer> answers = {})
        : clock(now)
        , app(locationsIn(dir, dayFile), sink, clock)
    {
        recorder.answers = std::move(answers);
        if (inFirstBox) {
            recorder.whileOpen = [this, inFirstBox] { inFirstBox(*this); };
        }
        app.start();
        window = std::make_unique<MainWindow>(app, sink, dialogs);
        window->initialShow(WindowPlacement::kShowNormal);
        window->activateWindow();
        window->page().setFocus();
        active = QTest::qWaitForWindowActive(window.get());
    }
    PageEdit& page() { return window->page(); }
    QString shown() { return page().toPlainText(); }
    QString title() { return window->windowTitle(); }
    QLabel* label(const char* name) { return child<QLabel>(*window, name); }
    QAction* action(const char* name) { return child<QAction>(*window, name); }
    /// The user stops typing: the idle timer runs out at once. False when no idle save was
    /// due or it did not run.
    [[nodiscard]] bool pause()
    {
        auto* idle = child<QTimer>(*window, "idleTimer");
        if (!idle->isActive()) {
            return false;
        }
        idle->setInterval(1);
        idle->start();
        return QTest::qWaitFor([idle] { return !idle->isActive(); });
    }

    BoxSink recorder;
    QuietRetrySink sink{recorder};
    RecordingDialogs dialogs;
    FixedClock clock;
    DaylarkApp app;
    std::unique_ptr<MainWindow> window;
    /// The window was shown and became active.
    bool active = false;
};

} // namespace daylark::test
