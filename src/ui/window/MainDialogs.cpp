#include "ui/window/MainDialogs.h"

#include "ui/alarms/AlarmDialogView.h"
#include "ui/calendar/CalendarView.h"
#include "ui/calendar/DayViewDialog.h"
#include "ui/lists/ListDialogView.h"
#include "ui/search/SearchDialogView.h"
#include "ui/settings/SettingsView.h"
#include "ui/sync/BackupSyncDialogView.h"

#include <QCoreApplication>
#include <QFontDialog>
#include <QMessageBox>

namespace daylark {

void ModalDialogs::runLists(CListDlg& logic, QWidget& parent)
{
    ListDialogView dialog(logic, &parent);
    dialog.exec();
}

void ModalDialogs::runSearch(CSearchDlg& logic, QWidget& parent,
                             const std::function<void()>& opened)
{
    SearchDialogView dialog(logic, &parent);
    opened();
    dialog.exec();
}

void ModalDialogs::runBackupSync(CBackupSyncDlg& logic, QWidget& parent)
{
    BackupSyncDialogView dialog(logic, &parent);
    dialog.exec();
}

void ModalDialogs::runSettings(CSettingsDlg& logic, const std::function<void()>& fontCommand,
                               QWidget& parent)
{
    SettingsView dialog(logic, fontCommand, {}, &parent);
    dialog.exec();
}

void ModalDialogs::runCalendar(CCalendarDlg& logic, const CalendarDoors& doors, QWidget& parent)
{
    CalendarView dialog(logic, doors, &parent);
    dialog.showAtPlacement();
    dialog.exec();
}

void ModalDialogs::runDayView(CDayViewDlg& logic, QWidget& parent)
{
    DayViewDialog dialog(logic, &parent);
    dialog.exec();
}

void ModalDialogs::runAlarm(CAlarmDlg& logic, QWidget& parent)
{
    AlarmDialogView dialog(logic, &parent);
    dialog.exec();
}

std::optional<QFont> ModalDialogs::chooseFont(const QFont& current, QWidget& parent)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, &parent,
                                            QCoreApplication::translate("MainWindow", "Page Font"));
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

void ModalDialogs::showAbout(const QString& title, const QString& text, QWidget& parent)
{
    QMessageBox::about(&parent, title, text);
}

} // namespace daylark
