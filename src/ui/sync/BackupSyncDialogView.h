#pragma once

#include "ui/sync/SyncProgress.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QProgressDialog;
class QPushButton;

namespace daylark {

class CBackupSyncDlg;
struct SyncStep;

/// The backup and synchronise window over its logic: it shows the logic's paths, options and
/// button states and forwards typing, clicks and the file choosers' answers to it. A backup or
/// a synchronisation shows its steps in a progress dialog over this one, with the windows kept
/// painted and the user's input held back until it ends.
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
    ~BackupSyncDialogView() override;

    void setFileChooser(FileChooser chooser) { m_choose = std::move(chooser); }

public slots:
    /// Escape and the window's close button wait while a run is under way.
    void reject() override;

private:
    void browseBackup();
    void browseOther();
    /// Runs Back&up or &Synchronize of the logic behind a wait cursor and the progress dialog.
    void runWork(void (CBackupSyncDlg::*action)());
    /// A step of the run: the progress dialog shows it, and the windows repaint.
    void showStep(const SyncStep& step);
    /// Shows the logic's fields in the four controls.
    void renderControls();
    void renderButtons();

    CBackupSyncDlg& m_logic;
    FileChooser m_choose;
    QGroupBox* m_backupBox = nullptr;
    QGroupBox* m_syncBox = nullptr;
    QLineEdit* m_backupPath = nullptr;
    QLineEdit* m_otherPath = nullptr;
    QCheckBox* m_lists = nullptr;
    QCheckBox* m_alarms = nullptr;
    QPushButton* m_backup = nullptr;
    QPushButton* m_synchronize = nullptr;
    QPushButton* m_done = nullptr;
    /// Shown from the first step of a run to its end.
    SyncProgress m_progress;
};

} // namespace daylark
