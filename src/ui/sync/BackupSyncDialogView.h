#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace daylark {

class CBackupSyncDlg;

/// The backup and synchronise window over its logic: it shows the logic's paths, options and
/// button states and forwards typing, clicks and the file choosers' answers to it.
class BackupSyncDialogView : public QDialog
{
    Q_OBJECT

public:
    enum class ChooserKind { Open, Save };
    /// Asks for a file, starting at `start`; nothing when cancelled.
    using FileChooser = std::function<std::optional<QString>(ChooserKind kind, const QString& start,
                                                             QWidget* parent)>;

    /// `logic` must outlive the window.
    explicit BackupSyncDialogView(CBackupSyncDlg& logic, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_choose = std::move(chooser); }

private:
    void browseBackup();
    void browseOther();
    void runBackup();
    void runSynchronize();
    /// Done pressed (a name of its own: QDialog::done(int) is virtual).
    void finish();
    /// Shows the logic's fields in the four controls.
    void renderControls();
    void renderButtons();

    CBackupSyncDlg& m_logic;
    FileChooser m_choose;
    QLineEdit* m_backupPath = nullptr;
    QLineEdit* m_otherPath = nullptr;
    QCheckBox* m_lists = nullptr;
    QCheckBox* m_alarms = nullptr;
    QPushButton* m_backup = nullptr;
    QPushButton* m_synchronize = nullptr;
};

} // namespace daylark
