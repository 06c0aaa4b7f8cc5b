#pragma once

#include <QFont>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace daylark {

class CAlarmDlg;
class CBackupSyncDlg;
class CCalendarDlg;
class CDayViewDlg;
class CListDlg;
class CSearchDlg;
class CSettingsDlg;
struct CalendarDoors;

/// The dialogs the main window opens, each over logic the window made. The desktop program
/// runs the real views modally (ModalDialogs); a test puts a recorder in their place, so no
/// test runs a modal loop. Every dialog a window opens goes through here.
class MainDialogs
{
public:
    virtual ~MainDialogs() = default;

    /// "Lists of things" over `logic`, until the user closes it.
    virtual void runLists(CListDlg& logic, QWidget& parent) = 0;
    /// "Search" over `logic`; `opened` runs once the dialog has opened (the page view is back
    /// on today then), before the user acts.
    virtual void runSearch(CSearchDlg& logic, QWidget& parent,
                           const std::function<void()>& opened) = 0;
    /// "Backup and Synchronize" over `logic`.
    virtual void runBackupSync(CBackupSyncDlg& logic, QWidget& parent) = 0;
    /// "Settings" over `logic`; its font button runs `fontCommand`.
    virtual void runSettings(CSettingsDlg& logic, const std::function<void()>& fontCommand,
                             QWidget& parent) = 0;
    /// "Calendar" over `logic` (open already), where its placement says; `doors` opens the
    /// dialogs it leads to.
    virtual void runCalendar(CCalendarDlg& logic, const CalendarDoors& doors, QWidget& parent) = 0;
    /// "Day View" over `logic`, open on its day already.
    virtual void runDayView(CDayViewDlg& logic, QWidget& parent) = 0;
    /// "Alarm / Reminder" over `logic`, open on its day already.
    virtual void runAlarm(CAlarmDlg& logic, QWidget& parent) = 0;
    /// The font chooser, starting from `current`; nothing when cancelled.
    virtual std::optional<QFont> chooseFont(const QFont& current, QWidget& parent) = 0;
    /// The About box; `text` is rich text.
    virtual void showAbout(const QString& title, const QString& text, QWidget& parent) = 0;
};

/// The real dialogs, each run modally over its parent.
class ModalDialogs final : public MainDialogs
{
public:
    void runLists(CListDlg& logic, QWidget& parent) override;
    void runSearch(CSearchDlg& logic, QWidget& parent,
                   const std::function<void()>& opened) override;
    void runBackupSync(CBackupSyncDlg& logic, QWidget& parent) override;
    void runSettings(CSettingsDlg& logic, const std::function<void()>& fontCommand,
                     QWidget& parent) override;
    void runCalendar(CCalendarDlg& logic, const CalendarDoors& doors, QWidget& parent) override;
    void runDayView(CDayViewDlg& logic, QWidget& parent) override;
    void runAlarm(CAlarmDlg& logic, QWidget& parent) override;
    std::optional<QFont> chooseFont(const QFont& current, QWidget& parent) override;
    void showAbout(const QString& title, const QString& text, QWidget& parent) override;
};

} // namespace daylark
