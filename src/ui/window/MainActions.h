#pragma once

class QAction;
class QMenuBar;
class QToolBar;
class QWidget;

namespace daylark {

/// The main window's commands, each a QAction with its menu text, shortcut, status text and
/// tool tip (the two halves of its command string; the tool tip names the shortcut). They live
/// on the window itself, so every shortcut works while the menu bar is hidden. The window
/// connects them; menus and the toolbar show them.
struct MainActions
{
    explicit MainActions(QWidget& window);

    /// The menus: those of the command table with the commands built so far, then Help.
    void fillMenuBar(QMenuBar& bar) const;
    /// The toolbar buttons in their order.
    void fillToolBar(QToolBar& bar) const;

    QAction* saveNow;
    QAction* exit;
    QAction* undo;
    QAction* redo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* find;
    QAction* toggleTask;
    QAction* timeStamp;
    QAction* joinLines;
    QAction* toolBar;
    QAction* statusBar;
    QAction* menu;
    QAction* forwardDay;
    QAction* backwardDay;
    QAction* today;
    QAction* calendar;
    QAction* notes;
    QAction* alarms;
    QAction* lists;
    QAction* stopWatch;
    QAction* search;
    QAction* synchronize;
    QAction* font;
    QAction* settings;
    QAction* help;
    QAction* about;
};

} // namespace daylark
