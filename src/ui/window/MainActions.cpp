#include "ui/window/MainActions.h"

#include "ui/window/ToolbarIcons.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

#include <optional>

namespace daylark {

namespace {

/// The command texts are translated in the main window's context; CMD_TEXT marks them for the
/// translation tools where they are written.
#define CMD_TEXT(text) QT_TRANSLATE_NOOP("MainWindow", text)

QString translated(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

/// Makes one command on `window`. `prompt` is its command string: the status text, a line
/// break and the tool tip.
QAction* command(QWidget& window, const char* name, const char* menuText, const char* prompt,
                 const QKeySequence& shortcut = {},
                 std::optional<ToolbarPicture> picture = std::nullopt)
{
    auto* action = new QAction(translated(menuText), &window);
    action->setObjectName(QString::fromLatin1(name));
    const QStringList halves = translated(prompt).split(QLatin1Char('\n'));
    action->setStatusTip(halves.value(0));
    QString tip = halves.value(1, halves.value(0));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        tip += QStringLiteral(" (%1)").arg(shortcut.toString(QKeySequence::NativeText));
    }
    action->setToolTip(tip);
    if (picture) {
        action->setIcon(toolbarIcon(*picture));
    }
    // Shortcuts of actions that are only in a hidden menu bar would not work.
    window.addAction(action);
    return action;
}

QAction* toggle(QWidget& window, const char* name, const char* menuText, const char* prompt,
                const QKeySequence& shortcut = {},
                std::optional<ToolbarPicture> picture = std::nullopt)
{
    QAction* action = command(window, name, menuText, prompt, shortcut, picture);
    action->setCheckable(true);
    return action;
}

} // namespace

MainActions::MainActions(QWidget& window)
    : saveNow(command(window, "actionSaveNow", CMD_TEXT("&Save Now"),
                      CMD_TEXT("Save today's Daylark Page\nSave Now"), QKeySequence::Save))
    , exit(command(window, "actionExit", CMD_TEXT("E&xit"),
                   CMD_TEXT("Save the page and close Daylark\nExit"),
                   QKeySequence(Qt::CTRL | Qt::Key_Q)))
    , undo(command(window, "actionUndo", CMD_TEXT("&Undo"),
                   CMD_TEXT("Take back the last change\nUndo"), QKeySequence::Undo))
    , redo(command(window, "actionRedo", CMD_TEXT("&Redo"),
                   CMD_TEXT("Make the change taken back again\nRedo"),
                   QKeySequence(Qt::CTRL | Qt::Key_Y)))
    , cut(command(window, "actionCut", CMD_TEXT("Cu&t"),
                  CMD_TEXT("Move the selection to the clipboard\nCut"), QKeySequence::Cut,
                  ToolbarPicture::Cut))
    , copy(command(window, "actionCopy", CMD_TEXT("&Copy"),
                   CMD_TEXT("Copy the selection to the clipboard\nCopy"), QKeySequence::Copy,
                   ToolbarPicture::Copy))
    , paste(command(window, "actionPaste", CMD_TEXT("&Paste"),
                    CMD_TEXT("Insert the text of the clipboard\nPaste"), QKeySequence::Paste,
                    ToolbarPicture::Paste))
    , find(command(window, "actionFind", CMD_TEXT("&Find in Page..."),
                   CMD_TEXT("Find text in the page\nFind"), QKeySequence::Find))
    , toggleTask(
          command(window, "actionToggleTask", CMD_TEXT("Toggle Task &Box"),
                  CMD_TEXT("Mark the line's task done or open, or make the line a task\nTask box"),
                  QKeySequence(Qt::CTRL | Qt::Key_Space)))
    , timeStamp(command(window, "actionTimeStamp", CMD_TEXT("Insert Time &Stamp"),
                        CMD_TEXT("Insert the time at the caret\nTime stamp"),
                        QKeySequence(Qt::Key_F5)))
    , joinLines(command(window, "actionJoinLines", CMD_TEXT("&Join Lines"),
                        CMD_TEXT("Join the selected lines into one\nJoin lines"),
                        QKeySequence(Qt::Key_F4)))
    , toolBar(toggle(window, "actionToolBar", CMD_TEXT("&Toolbar"),
                     CMD_TEXT("Show or hide the toolbar\nToolbar")))
    , statusBar(toggle(window, "actionStatusBar", CMD_TEXT("&Status Bar"),
                       CMD_TEXT("Show or hide the status bar\nStatus Bar")))
    , menu(toggle(window, "actionMenu", CMD_TEXT("&Menu"),
                  CMD_TEXT("Show or hide the menu bar\nMenu"), QKeySequence(Qt::Key_F2)))
    , forwardDay(command(window, "actionForwardDay", CMD_TEXT("&Forward Day"),
                         CMD_TEXT("Move Forward One Day\nForward"),
                         QKeySequence(Qt::ALT | Qt::Key_Right), ToolbarPicture::ForwardDay))
    , backwardDay(command(window, "actionBackwardDay", CMD_TEXT("&Backward Day"),
                          CMD_TEXT("Move Backward One Day\nBackward"),
                          QKeySequence(Qt::ALT | Qt::Key_Left), ToolbarPicture::BackwardDay))
    , today(command(window, "actionToday", CMD_TEXT("&Today"),
                    CMD_TEXT("Show Today or check for new daylark.day\nToday/Sync"),
                    QKeySequence(Qt::ALT | Qt::Key_Home), ToolbarPicture::Today))
    , calendar(command(window, "actionCalendar", CMD_TEXT("&Calendar"),
                       CMD_TEXT("Display a month: notes and alarms for any day\nCalendar"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), ToolbarPicture::Calendar))
    , notes(
          command(window, "actionNotes", CMD_TEXT("&Notes of Today"),
                  CMD_TEXT("Show today's page and step to the notes of the days around it\nNotes"),
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)))
    , alarms(command(window, "actionAlarms", CMD_TEXT("&Alarms of Today"),
                     CMD_TEXT("Set, change and delete today's alarms\nAlarms"),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)))
    , lists(command(window, "actionLists", CMD_TEXT("&Lists of things"),
                    CMD_TEXT("Keep named lists of things\nLists of things"),
                    QKeySequence(Qt::CTRL | Qt::Key_L), ToolbarPicture::Lists))
    , stopWatch(toggle(window, "actionStopWatch", CMD_TEXT("Stop &Watch"),
                       CMD_TEXT("Display Stop Watch\nStop Watch"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W), ToolbarPicture::StopWatch))
    , search(command(window, "actionSearch", CMD_TEXT("&Search"),
                     CMD_TEXT("Search pages, lists and alarms\nSearch"),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), ToolbarPicture::Search))
    , synchronize(command(window, "actionSynchronize", CMD_TEXT("S&ynchronize"),
                          CMD_TEXT("Synchronize Two  Daylarks\nSynchronize"),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                          ToolbarPicture::Synchronize))
    , font(command(window, "actionFont", CMD_TEXT("F&ont..."),
                   CMD_TEXT("Choose the font of the page\nFont")))
    , settings(command(window, "actionSettings", CMD_TEXT("S&ettings..."),
                       CMD_TEXT("Clock, Greenwich time and calendar colours\nSettings"),
                       QKeySequence(Qt::CTRL | Qt::Key_Comma)))
    , help(command(window, "actionHelp", CMD_TEXT("&User Guide"),
                   CMD_TEXT("Open the Daylark user guide\nHelp"), QKeySequence::HelpContents))
    , about(command(window, "actionAbout", CMD_TEXT("&About Daylark"),
                    CMD_TEXT("Show the version and the data directory\nAbout")))
{
    // Both usual keys redo.
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
}

void MainActions::fillMenuBar(QMenuBar& bar) const
{
    QMenu* file = bar.addMenu(QCoreApplication::translate("MainWindow", "&File"));
    file->addAction(saveNow);
    file->addSeparator();
    file->addAction(exit);

    QMenu* edit = bar.addMenu(QCoreApplication::translate("MainWindow", "&Edit"));
    edit->addActions({undo, redo});
    edit->addSeparator();
    edit->addActions({cut, copy, paste});
    edit->addSeparator();
    edit->addAction(find);
    edit->addSeparator();
    edit->addActions({toggleTask, timeStamp, joinLines});

    bar.addMenu(QCoreApplication::translate("MainWindow", "&View"))
        ->addActions({toolBar, statusBar, menu});

    QMenu* daylark = bar.addMenu(QCoreApplication::translate("MainWindow", "&Daylark"));
    daylark->addActions({calendar, notes, alarms});
    daylark->addSeparator();
    daylark->addActions({forwardDay, backwardDay, today});
    daylark->addSeparator();
    daylark->addActions({lists, search, synchronize});
    daylark->addSeparator();
    daylark->addActions({font, stopWatch, settings});

    bar.addMenu(QCoreApplication::translate("MainWindow", "&Help"))->addActions({help, about});
}

void MainActions::fillToolBar(QToolBar& bar) const
{
    // A separator shows only between buttons.
    struct Slot
    {
        QAction* button = nullptr;
        bool separator = false;
    };
    const Slot separator{nullptr, true};
    const Slot slotsInOrder[] = {{calendar},    {lists},      {stopWatch}, separator,    {search},
                                 {backwardDay}, {forwardDay}, {today},     separator,    {cut},
                                 {copy},        {paste},      separator,   {synchronize}};
    bool pendingSeparator = false;
    for (const Slot& slot : slotsInOrder) {
        if (slot.separator) {
            pendingSeparator = !bar.actions().isEmpty();
        } else if (slot.button != nullptr) {
            if (pendingSeparator) {
                bar.addSeparator();
                pendingSeparator = false;
            }
            bar.addAction(slot.button);
        }
    }
}

} // namespace daylark
