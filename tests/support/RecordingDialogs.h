#pragma once

#include "ui/window/MainDialogs.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace daylark::test {

/// Stands in for the main window's dialogs: records which one was opened and hands its logic to
/// the test's hook, which acts as the user would; nothing is shown and no modal loop runs.
class RecordingDialogs : public MainDialogs
{
public:
    void runLists(CListDlg& logic, QWidget&) override
    {
        opened << "lists";
        if (onLists) {
            onLists(logic);
        }
    }
    void runSearch(CSearchDlg& logic, QWidget&, const std::function<void()>& shown) override
    {
        opened << "search";
        if (onSearch) {
            onSearch(logic, shown);
        }
    }
    void runBackupSync(CBackupSyncDlg& logic, QWidget&) override
    {
        opened << "backupSync";
        if (onBackupSync) {
            onBackupSync(logic);
        }
    }
    void runSettings(CSettingsDlg& logic, const std::function<void()>& fontCommand,
                     QWidget&) override
    {
        opened << "settings";
        if (onSettings) {
            onSettings(logic, fontCommand);
        }
    }
    void runCalendar(CCalendarDlg& logic, const CalendarDoors& doors, QWidget&) override
    {
        opened << "calendar";
        if (onCalendar) {
            onCalendar(logic, doors);
        }
    }
    void runDayView(CDayViewDlg& logic, QWidget&) override
    {
        opened << "dayView";
        if (onDayView) {
            onDayView(logic);
        }
    }
    void runAlarm(CAlarmDlg& logic, QWidget&) override
    {
        opened << "alarm";
        if (onAlarm) {
            onAlarm(logic);
        }
    }
    std::optional<QFont> chooseFont(const QFont&, QWidget&) override
    {
        opened << "font";
        return font;
    }
    void showAbout(const QString&, const QString& text, QWidget&) override
    {
        opened << "about";
        aboutText = text;
    }

    QStringList opened;
    std::function<void(CListDlg&)> onLists;
    std::function<void(CSearchDlg&, const std::function<void()>& shown)> onSearch;
    std::function<void(CBackupSyncDlg&)> onBackupSync;
    std::function<void(CSettingsDlg&, const std::function<void()>& fontCommand)> onSettings;
    std::function<void(CCalendarDlg&, const CalendarDoors&)> onCalendar;
    std::function<void(CDayViewDlg&)> onDayView;
    std::function<void(CAlarmDlg&)> onAlarm;
    /// What the font chooser answers; nothing is a cancel.
    std::optional<QFont> font;
    QString aboutText;
};

} // namespace daylark::test
