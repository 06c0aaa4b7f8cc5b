#include "ui/MainActions.h"

#include "ui/ToolbarIcons.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

#include <optional>

namespace daylark {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

/// Makes one command on `window`. `prompt` is its command string: the status text, a line
/// break and the tool tip.
QAction* command(QWidget& window, const char* name, const char* menuText, const char* prompt,
                 const QKeySequence& shortcut = {},
                 std::optional<ToolbarPicture> picture = std::nullopt)
{
    auto* action = new QAction(tr(menuText), &window);
    action->setObjectName(QString::fromLatin1(name));
    const QStringList halves = tr(prompt).split(QLatin1Char('\n'));
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
                const QKeySequence& shortcut = {})
{
    QAction* action = command(window, name, menuText, prompt, shortcut);
    action->setCheckable(true);
    return action;
}

} // namespace

MainActions::MainActions(QWidget& window)
    : saveNow(command(window, "actionSaveNow", "&Save Now", "Save today's Daylark Page\nSave Now",
                      QKeySequence::Save))
    , exit(command(window, "actionExit", "E&xit", "Save the page and close Daylark\nExit",
                   QKeySequence(Qt::CTRL | Qt::Key_Q)))
    , undo(command(window, "actionUndo", "&Undo", "Take back the last change\nUndo",
                   QKeySequence::Undo))
    , cut(command(window, "actionCut", "Cu&t", "Move the selection to the clipboard\nCut",
                  QKeySequence::Cut, ToolbarPicture::Cut))
    , copy(command(window, "actionCopy", "&Copy", "Copy the selection to the clipboard\nCopy",
                   QKeySequence::Copy, ToolbarPicture::Copy))
    , paste(command(window, "actionPaste", "&Paste", "Insert the text of the clipboard\nPaste",
                    QKeySequence::Paste, ToolbarPicture::Paste))
    , find(command(window, "actionFind", "&Find in Page...", "Find text in the page\nFind",
                   QKeySequence::Find))
    , toggleTask(command(window, "actionToggleTask", "Toggle Task &Box",
                         "Mark the line's task done or open, or make the line a task\nTask box",
                         QKeySequence(Qt::CTRL | Qt::Key_Space)))
    , timeStamp(command(window, "actionTimeStamp", "Insert Time &Stamp",
                        "Insert the time at the caret\nTime stamp", QKeySequence(Qt::Key_F5)))
    , joinLines(command(window, "actionJoinLines", "&Join Lines",
                        "Join the selected lines into one\nJoin lines", QKeySequence(Qt::Key_F4)))
    , toolBar(toggle(window, "actionToolBar", "&Toolbar", "Show or hide the toolbar\nToolbar"))
    , statusBar(toggle(window, "actionStatusBar", "&Status Bar",
                       "Show or hide the status bar\nStatus Bar"))
    , menu(toggle(window, "actionMenu", "&Menu", "Show or hide the menu bar\nMenu",
                  QKeySequence(Qt::Key_F2)))
    , forwardDay(command(window, "actionForwardDay", "&Forward Day",
                         "Move Forward One Day\nForward", QKeySequence(Qt::ALT | Qt::Key_Right),
                         ToolbarPicture::ForwardDay))
    , backwardDay(command(window, "actionBackwardDay", "&Backward Day",
                          "Move Backward One Day\nBackward", QKeySequence(Qt::ALT | Qt::Key_Left),
                          ToolbarPicture::BackwardDay))
    , today(command(window, "actionToday", "&Today",
                    "Show Today or check for new daylark.day\nToday/Sync",
                    QKeySequence(Qt::ALT | Qt::Key_Home), ToolbarPicture::Today))
    , lists(command(window, "actionLists", "&Lists of things",
                    "Keep named lists of things\nLists of things",
                    QKeySequence(Qt::CTRL | Qt::Key_L), ToolbarPicture::Lists))
    , stopWatch(toggle(window, "actionStopWatch", "Stop &Watch", "Display Stop Watch\nStop Watch"))
    , search(command(window, "actionSearch", "&Search", "Search pages, lists and alarms\nSearch",
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), ToolbarPicture::Search))
    , synchronize(command(window, "actionSynchronize", "S&ynchronize",
                          "Synchronize Two  Daylarks\nSynchronize", {},
                          ToolbarPicture::Synchronize))
    , font(command(window, "actionFont", "F&ont...", "Choose the font of the page\nFont"))
    , settings(command(window, "actionSettings", "S&ettings...",
                       "Clock, Greenwich time and calendar colours\nSettings"))
    , help(command(window, "actionHelp", "&User Guide", "Open the Daylark user guide\nHelp",
                   QKeySequence::HelpContents))
    , about(command(window, "actionAbout", "&About Daylark",
                    "Show the version and the data directory\nAbout"))
{}

void MainActions::fillMenuBar(QMenuBar& bar) const
{
    QMenu* file = bar.addMenu(tr("&File"));
    file->addAction(saveNow);
    file->addSeparator();
    file->addAction(exit);

    QMenu* edit = bar.addMenu(tr("&Edit"));
    edit->addAction(undo);
    edit->addSeparator();
    edit->addActions({cut, copy, paste});
    edit->addSeparator();
    edit->addAction(find);
    edit->addSeparator();
    edit->addActions({toggleTask, timeStamp, joinLines});

    bar.addMenu(tr("&View"))->addActions({toolBar, statusBar, menu});

    QMenu* daylark = bar.addMenu(tr("&Daylark"));
    daylark->addActions({forwardDay, backwardDay, today});
    daylark->addSeparator();
    daylark->addActions({lists, search, synchronize});
    daylark->addSeparator();
    daylark->addActions({font, stopWatch, settings});

    bar.addMenu(tr("&Help"))->addActions({help, about});
}

void MainActions::fillToolBar(QToolBar& bar) const
{
    // The calendar gets its button with its dialog; until then its
    // slot stays empty. A separator shows only between buttons.
    struct Slot
    {
        QAction* button = nullptr;
        bool separator = false;
    };
    const Slot notBuilt;
    const Slot separator{nullptr, true};
    const Slot slotsInOrder[] = {notBuilt,      {lists},      {stopWatch}, separator,    {search},
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
