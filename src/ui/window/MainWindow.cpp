#include "ui/window/MainWindow.h"

#include "app/DaylarkApp.h"
#include "app/QuietRetrySink.h"
#include "diary/TaskBox.h"
#include "platform/Clock.h"
#include "tools/CStopWatchDlg.h"
#include "ui/page/FindBar.h"
#include "ui/page/PageEdit.h"
#include "ui/page/PageFontConversion.h"
#include "ui/platform/AppIcon.h"
#include "ui/stopwatch/StopWatchView.h"
#include "ui/window/HelpWindow.h"
#include "ui/window/MainDialogs.h"
#include "ui/window/StatusPanes.h"
#include "ui/window/ToolBarDock.h"
#include "ui/window/WindowGeometry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace daylark {

MainWindow::MainWindow(DaylarkApp& app, QuietRetrySink& messages, MainDialogs& dialogs,
                       QWidget* parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_messages(messages)
    , m_dialogs(dialogs)
    , m_saver(app, messages, [this] { render(); })
    , m_actions(*this)
    , m_commands(
          app, dialogs,
          [this] {
              render();
              renderClock();
          },
          [this] { chooseFont(); }, [this](const QString& text) { showNotification(text); })
    , m_page(new PageEdit(this))
    , m_tickTimer(new QTimer(this))
    , m_idleTimer(new QTimer(this))
    , m_status(*statusBar())
    , m_sharedSync(
          app, *this,
          [this] { return m_messages.boxOpen() || QApplication::activeModalWidget() != nullptr; },
          [this] { render(); }, [this](const QString& text) { showNotification(text); })
{
    setObjectName("mainWindow");
    setWindowIcon(applicationIcon());
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_page, 1);
    m_findBar = new FindBar(*m_page, central);
    layout->addWidget(m_findBar);
    setCentralWidget(central);
    m_app.doc().attachPageText(*m_page);

    createBars();
    connectCommands();

    m_tickTimer->setObjectName("tickTimer");
    connect(m_tickTimer, &QTimer::timeout, this, &MainWindow::tick);
    m_tickTimer->start(CMainFrame::kTickMilliseconds);
    m_idleTimer->setObjectName("idleTimer");
    m_idleTimer->setSingleShot(true);
    m_idleTimer->setInterval(CMainFrame::kIdleSaveMilliseconds);
    connect(m_idleTimer, &QTimer::timeout, this, &MainWindow::idleSave);
    qApp->installEventFilter(this);
    m_saver.setOnClosing([this] { m_sharedSync.run(); });
    resize(720, 540);
    render();
    renderClock();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
}

void MainWindow::initialShow(std::uint32_t showCommand)
{
    // The window shows before the day check, whose boxes stand over it; a window started
    // hidden stays hidden for them.
    m_starting = true;
    m_app.frame().InitialShow(showCommand, [this](const CMainFrame::ShowPlan& plan) {
        addToolBar(toolBarAreaOf(m_app.frame().dockSide()), m_toolBar);
        if (plan.placement) {
            applyPlacement(*this, *plan.placement);
        }
        render();
        renderClock();
        switch (firstShowOf(plan.showCommand, plan.placement ? plan.placement->flags : 0)) {
        case FirstShow::Hidden:
            return;
        case FirstShow::Maximized:
            showMaximized();
            break;
        case FirstShow::Normal:
            showNormal();
            break;
        }
        m_starting = false;
    });
    m_starting = false;
    render();
    renderClock();
    // After the boxes of the day check, once the loop runs.
    m_sharedSync.request();
    QTimer::singleShot(0, this, [this] { m_sharedSync.runWhenFree(); });
}

void MainWindow::createBars()
{
    m_actions.fillMenuBar(*menuBar());
    m_toolBar = new QToolBar(tr("Toolbar"), this);
    m_toolBar->setObjectName("toolBar");
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->toggleViewAction()->setVisible(false);
    m_actions.fillToolBar(*m_toolBar);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void MainWindow::showAbout()
{
    m_dialogs.showAbout(
        tr("About Daylark"),
        tr("<h3>Daylark %1</h3><p>A day planner: one page a day, open tasks carried over to "
           "the next day.</p><p>Data: %2</p>")
            .arg(QStringLiteral(DAYLARK_VERSION),
                 QString::fromStdString(m_app.locations().dataDir()).toHtmlEscaped()),
        *this);
}

void MainWindow::toggleStopWatch(bool open)
{
    if (!open) {
        if (m_stopWatch != nullptr) {
            m_stopWatch->reject();
        }
        return;
    }
    if (m_stopWatch != nullptr) {
        return;
    }
    m_stopWatch =
        new StopWatchView(std::make_unique<CStopWatchDlg>(m_stopWatchClock, m_page), this);
    connect(m_stopWatch, &StopWatchView::closeRequested, this, [this] {
        const QSignalBlocker blocker(m_actions.stopWatch);
        m_actions.stopWatch->setChecked(false);
        // Emitted from inside the view's own close: it goes when the event loop is back.
        m_stopWatch->deleteLater();
        m_stopWatch = nullptr;
    });
    m_stopWatch->show();
}

void MainWindow::connectCommands()
{
    const MainActions& a = m_actions;
    CDaylarkView& view = m_app.view();
    CMainFrame& frame = m_app.frame();
    connect(a.saveNow, &QAction::triggered, this,
            [this] { m_saver.SavePage(QuietRetrySink::Retry::Loud); });
    connect(a.exit, &QAction::triggered, this, &MainWindow::quit);
    connect(a.undo, &QAction::triggered, m_page, &QPlainTextEdit::undo);
    connect(a.redo, &QAction::triggered, m_page, &QPlainTextEdit::redo);
    connect(a.cut, &QAction::triggered, m_page, &QPlainTextEdit::cut);
    connect(a.copy, &QAction::triggered, m_page, &QPlainTextEdit::copy);
    connect(a.paste, &QAction::triggered, m_page, &QPlainTextEdit::paste);
    connect(a.find, &QAction::triggered, m_findBar, &FindBar::open);
    connect(a.toggleTask, &QAction::triggered, this,
            [this] { run([this] { ToggleTaskBox(m_app.doc().pageText()); }); });
    connect(a.timeStamp, &QAction::triggered, this,
            [this, &view] { run([&view] { view.InsertTimeStamp(); }); });
    connect(a.joinLines, &QAction::triggered, this,
            [this, &view] { run([&view] { view.JoinLines(); }); });
    connect(a.toolBar, &QAction::triggered, this,
            [this, &frame] { run([&frame] { frame.ToggleToolBar(); }); });
    connect(a.statusBar, &QAction::triggered, this, [this] {
        statusBar()->setHidden(!statusBar()->isHidden());
        render();
    });
    connect(a.menu, &QAction::triggered, this,
            [this, &frame] { run([&frame] { frame.ToggleMenu(); }); });
    connect(a.forwardDay, &QAction::triggered, this,
            [this, &view] { run([&view] { view.ForwardDay(); }); });
    connect(a.backwardDay, &QAction::triggered, this,
            [this, &view] { run([&view] { view.BackwardDay(); }); });
    connect(a.today, &QAction::triggered, this,
            [this, &view] { run([&view] { view.TodayCommand(); }); });
    connect(a.calendar, &QAction::triggered, this, [this] { m_commands.openCalendar(*this); });
    // The day of the notes is the current time's: no calendar is open.
    connect(a.notes, &QAction::triggered, this,
            [this] { m_commands.openNotes(m_app.doc().clock().now(), *this); });
    connect(a.alarms, &QAction::triggered, this,
            [this] { m_commands.openAlarms(m_app.doc().clock().now(), *this); });
    connect(a.lists, &QAction::triggered, this, [this] { m_commands.openLists(*this); });
    connect(a.stopWatch, &QAction::toggled, this, &MainWindow::toggleStopWatch);
    connect(a.settings, &QAction::triggered, this,
            [this] { m_commands.openSettings(m_app.frame().colours(), *this); });
    connect(a.search, &QAction::triggered, this, [this] { m_commands.openSearch(*this); });
    connect(a.synchronize, &QAction::triggered, this,
            [this] { m_commands.openSynchronize(*this); });
    connect(a.font, &QAction::triggered, this, &MainWindow::chooseFont);
    connect(a.help, &QAction::triggered, this, &MainWindow::showHelp);
    connect(a.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_page, &QPlainTextEdit::copyAvailable, this, &MainWindow::renderEditCommands);
    connect(m_page, &QPlainTextEdit::undoAvailable, this, &MainWindow::renderEditCommands);
    connect(m_page, &QPlainTextEdit::redoAvailable, this, &MainWindow::renderEditCommands);
}

void MainWindow::run(const std::function<void()>& command)
{
    command();
    render();
}

void MainWindow::render()
{
    const CMainFrame& frame = m_app.frame();
    setWindowTitle(QString::fromStdString(m_app.view().caption()));
    m_page->showPastDay(m_app.view().showsPastDay());
    menuBar()->setVisible(frame.menuShown());
    m_toolBar->setVisible(frame.toolBarShown());
    m_actions.menu->setChecked(frame.menuShown());
    m_actions.toolBar->setChecked(frame.toolBarShown());
    m_actions.statusBar->setChecked(!statusBar()->isHidden());
    m_actions.forwardDay->setEnabled(m_app.view().showsPastDay()); // never past today
    m_status.showPage(m_app.view().showsPastDay());
    m_status.showSaveState(m_messages.failing(), QString::fromStdString(m_messages.failure()));
    renderEditCommands();
}

void MainWindow::renderClock()
{
    const std::int64_t now = m_app.doc().clock().now();
    m_status.showClock(QString::fromStdString(m_app.frame().ClockText(now)));
}

void MainWindow::renderEditCommands()
{
    const bool editable = !m_page->isReadOnly();
    const bool selected = m_page->textCursor().hasSelection();
    m_actions.undo->setEnabled(editable && m_page->document()->isUndoAvailable());
    m_actions.redo->setEnabled(editable && m_page->document()->isRedoAvailable());
    m_actions.cut->setEnabled(editable && selected);
    m_actions.copy->setEnabled(selected);
    m_actions.paste->setEnabled(editable);
    for (QAction* action : {m_actions.toggleTask, m_actions.timeStamp, m_actions.joinLines}) {
        action->setEnabled(editable);
    }
}

void MainWindow::showNotification(const QString& text)
{
    m_status.showNotification(text);
}

void MainWindow::tick()
{
    renderClock();
    run([this] {
        if (m_app.frame().ClockTick(/*announce=*/!m_messages.boxOpen())) {
            m_sharedSync.request();
        }
    });
    m_sharedSync.runWhenFree();
    if (m_saver.retryDue()) {
        idleSave();
    }
}

void MainWindow::idleSave()
{
    renderClock();
    if (m_messages.boxOpen()) {
        // The save (and the announcement it makes) waits for the box, not stacking on it.
        m_idleTimer->start();
        return;
    }
    if (!m_saver.IdleSave()) {
        m_idleTimer->start(); // a box of the save that runs is open
    }
}

SaveAndClose::WindowState MainWindow::settingsState() const
{
    return {placementOf(*this), isMaximized(),
            dockSideOf(toolBarArea(m_toolBar), m_toolBar->isFloating())};
}

void MainWindow::saveBeforeQuit()
{
    m_saver.Quit(settingsState());
}

void MainWindow::saveForSessionEnd()
{
    m_saver.SessionEnd(settingsState());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_closeToTray.hidInstead(*this) || !m_saver.Close(settingsState())) {
        event->ignore();
        return;
    }
    if (m_help != nullptr) {
        m_help->close();
    }
    event->accept();
    CloseToTray::closed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        helpForDialog(watched)) {
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::InputMethod:
        m_idleTimer->start();
        if (event->type() == QEvent::KeyPress) {
            m_status.clearNotification();
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::bringToFront()
{
    if (m_starting) {
        return;
    }
    if (isHidden()) {
        show();
    }
    if (isMinimized()) {
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    }
    raise();
    activateWindow();
    QApplication::alert(this);
}

void MainWindow::chooseFont()
{
    const std::optional<QFont> chosen = m_dialogs.chooseFont(m_page->font(), *this);
    if (!chosen) {
        return;
    }
    const PageFont font = pageFontOf(*chosen, m_app.doc().pageFont());
    run([this, &font] {
        m_app.doc().SetPageFont(font);
        m_app.doc().SavePageFont();
    });
}

bool MainWindow::helpForDialog(QObject* target)
{
    // F1 in a dialog: its own section, above it, usable while the dialog is modal.
    auto* widget = qobject_cast<QWidget*>(target);
    QWidget* dialog = widget != nullptr ? widget->window() : nullptr;
    if (dialog == nullptr || dialog == this ||
        HelpWindow::sectionFor(dialog->objectName()).isEmpty()) {
        return false;
    }
    HelpWindow::showFor(*dialog);
    return true;
}

void MainWindow::showHelp()
{
    if (m_help == nullptr) {
        m_help = new HelpWindow(this);
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

} // namespace daylark
