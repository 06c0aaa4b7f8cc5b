#include "alarms/AlarmSchedule.h"
#include "app/CommandLine.h"
#include "app/DaylarkApp.h"
#include "app/DesktopPresence.h"
#include "app/QuietRetrySink.h"
#include "platform/Clock.h"
#include "platform/Locations.h"
#include "ui/page/PageTextMapping.h"
#include "ui/platform/AppIcon.h"
#include "ui/platform/DesktopNotifier.h"
#include "ui/platform/NoticeRouter.h"
#include "ui/platform/QtMessageSink.h"
#include "ui/platform/SingleInstance.h"
#include "ui/platform/TerminationSignals.h"
#include "ui/tray/TrayIcon.h"
#include "ui/window/MainDialogs.h"
#include "ui/window/MainWindow.h"
#include "ui/window/StartupDataCheck.h"

#include <QApplication>
#include <QMessageBox>
#include <QSessionManager>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace daylark;

/// How long a second start waits for the lock when no Daylark answers on it (a daylark-cli
/// command holds it for a moment).
constexpr std::chrono::milliseconds kLockWait{3000};

bool hasValue(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

/// Whether a window can be shown: a display named in the environment, or a platform chosen
/// for Qt (offscreen, for example).
bool displayNamed(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0) {
            return true;
        }
    }
    return hasValue("QT_QPA_PLATFORM") || hasValue("DISPLAY") || hasValue("WAYLAND_DISPLAY");
}

void printNoDisplay(const QString& detail)
{
    std::fprintf(stderr,
                 "daylark: no display to show the window on%s.\n"
                 "Start Daylark from a graphical session (DISPLAY or WAYLAND_DISPLAY set); "
                 "daylark-cli works without one.\n",
                 detail.isEmpty() ? "" : (" (" + detail + ")").toLocal8Bit().constData());
}

/// Qt's messages while the application connects to the display: held back, so that a
/// failure ends the program with one clear message instead of Qt's abort.
QStringList& startupMessages()
{
    static QStringList messages;
    return messages;
}

void startupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        startupMessages().append(message);
        return;
    }
    printNoDisplay(startupMessages().value(0, message.section(QLatin1Char('\n'), 0, 0)));
    std::_Exit(1);
}

std::vector<std::string> argumentsAfterQt()
{
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) {
        arguments.push_back(all.at(i).toStdString());
    }
    return arguments;
}

/// --help and --version answer without a display.
int answerWithoutWindow(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            break;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(CommandLine::usage().c_str(), stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("daylark %s\n", DAYLARK_VERSION);
            return 0;
        }
    }
    return -1;
}

/// For the start-up benchmark (DAYLARK_QUIT_WHEN_SHOWN set): once the window has painted, says
/// "shown" on standard output and ends the program through `quit`, also from inside a box that
/// the start opened over the window. The data check that follows the window is not run.
class QuitWhenShown : public QObject
{
public:
    QuitWhenShown(QWidget& window, std::function<void()> quit)
        : QObject(&window)
        , m_quit(std::move(quit))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true; // ended on the next turn of whichever event loop runs, once painted
            QTimer::singleShot(0, this, [this] {
                std::puts("shown");
                std::fflush(stdout);
                m_quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_quit;
    bool m_painted = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (const int answered = answerWithoutWindow(argc, argv); answered >= 0) {
        return answered;
    }
    if (!displayNamed(argc, argv)) {
        printNoDisplay({});
        return 1;
    }
    const QtMessageHandler qtHandler = qInstallMessageHandler(startupMessageHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const QString& message : std::as_const(startupMessages())) {
        qWarning().noquote() << message;
    }
    QApplication::setApplicationName("daylark");
    QApplication::setApplicationDisplayName("Daylark");
    QApplication::setApplicationVersion(DAYLARK_VERSION);
    QGuiApplication::setDesktopFileName("daylark");
    QApplication::setWindowIcon(applicationIcon());

    const CommandLine line = CommandLine::parse(argumentsAfterQt());
    if (line.action == CommandLine::Action::BadUsage) {
        std::fprintf(stderr, "daylark: %s\n\n%s", line.error.c_str(), CommandLine::usage().c_str());
        return 2;
    }
    const Locations locations = Locations::resolve(
        line.locations, [](const char* name) -> const char* { return std::getenv(name); });

    SingleInstance instance(locations.dataDir());
    if (!locations.dataDir().empty() && locations.ensureDataDir() == 0) {
        switch (instance.start(kLockWait)) {
        case SingleInstance::Start::BroughtForward:
            std::fprintf(
                stderr, "Daylark is already running for %s; its window was brought to the front.\n",
                locations.dataDir().c_str());
            return 0;
        case SingleInstance::Start::AlreadyRunning: {
            const QString text = QObject::tr("Daylark is already running for %1.")
                                     .arg(QString::fromStdString(locations.dataDir()));
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
            QMessageBox::warning(nullptr, QStringLiteral("Daylark"), text);
            return 1;
        }
        case SingleInstance::Start::First:
        case SingleInstance::Start::Unlocked:
            break; // without the lock the program still runs; saving reports what fails
        }
    }

    QtMessageSink boxes;
    QuietRetrySink messages(boxes);
    SystemClock clock;
    DaylarkApp app(locations, messages, clock);
    app.start();

    ModalDialogs dialogs;
    MainWindow window(app, messages, dialogs);
    boxes.setWindow(
        &window, [&window] { window.bringToFront(); },
        [&window](const std::string& text) { window.showNotification(displayTextFromPage(text)); });
    // Notices reach the user also while the window is in the tray or minimised.
    DesktopNotifier notifier(QDBusConnection::sessionBus());
    NoticeRouter notices(window, notifier,
                         [&window](const QString& text) { window.showNotification(text); });
    boxes.setNotices(notices);
    DesktopPresence presence(app.profile());
    window.setPresence(presence);
    TrayIcon tray({window,
                   [&app] {
                       const AlarmSchedule* schedule = app.doc().alarmSchedule();
                       return schedule != nullptr ? schedule->todaysAlarms()
                                                  : std::vector<CAlarmEntry>{};
                   },
                   [&window] { window.bringToFront(); }, [&window] { window.quit(); }},
                  app.frame().displayFlags(), presence);
    tray.start();
    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     &MainWindow::bringToFront);
    // A termination signal ends the program within a moment, also from inside a box or a modal
    // dialog: exit() ends every running event loop, where quit() would wait for them to close.
    bool terminating = false;
    TerminationSignals termination;
    const auto endNow = [&window, &boxes, &terminating] {
        terminating = true;
        boxes.setUnattended(); // an alarm due now must not hold the save
        window.saveBeforeQuit();
        QCoreApplication::exit(0);
    };
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window, endNow);
    const bool quitWhenShown = hasValue("DAYLARK_QUIT_WHEN_SHOWN");
    if (quitWhenShown) {
        new QuitWhenShown(window, endNow);
    }
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.saveForSessionEnd(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &window,
                     &MainWindow::saveBeforeQuit);

    window.initialShow(line.embedding ? 0 : WindowPlacement::kShowNormal);
    if (terminating) {
        return 0; // the signal (or the benchmark's end) came during the start; the page is saved
    }
    // After the window and the day check: damage found on the way is told in the status bar.
    StartupDataCheck dataCheck(app.doc(), locations.dataDir(), app.doc().dayFilePath());
    QObject::connect(&dataCheck, &StartupDataCheck::damageFound, &window,
                     &MainWindow::showNotification);
    if (!locations.dataDir().empty() && !quitWhenShown) {
        dataCheck.start();
    }
    return QApplication::exec();
}
