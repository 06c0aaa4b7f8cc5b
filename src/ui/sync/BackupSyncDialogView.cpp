#include "ui/sync/BackupSyncDialogView.h"

#include "sync/CBackupSyncDlg.h"
#include "ui/platform/DialogButton.h"
#include "ui/platform/WaitCursor.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace daylark {

namespace {

std::optional<QString> chooseFromDialog(BackupSyncDialogView::ChooserKind kind,
                                        const QString& start, QWidget* parent)
{
    const bool save = kind == BackupSyncDialogView::ChooserKind::Save;
    QFileDialog dialog(parent, save ? QObject::tr("Backup Destination")
                                    : QObject::tr("Other Daylark Location"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromLatin1(CBackupSyncDlg::kDefaultExtension));
    dialog.setNameFilter(QObject::tr("Daylark (*.dlk)"));
    // The backup destination need not exist yet and is not overwritten: only its directory
    // counts.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

BackupSyncDialogView::BackupSyncDialogView(CBackupSyncDlg& logic, QWidget* parent)
    : QDialog(parent)
    , m_logic(logic)
    , m_choose(chooseFromDialog)
{
    setObjectName("backupSyncDialog");
    setWindowTitle(QString::fromLatin1(CBackupSyncDlg::kTitle));

    auto* backupBox = new QGroupBox(tr("Backup this Daylark"), this);
    m_backupPath = new QLineEdit(backupBox);
    m_backupPath->setObjectName("backupPath");
    auto* browseBackupButton = dialogButton(tr("&Browse"), "browseBackup", backupBox);
    m_backup = dialogButton(tr("Back&up"), "backupButton", backupBox);
    auto* backupLayout = new QVBoxLayout(backupBox);
    backupLayout->addWidget(new QLabel(tr("Backup Destination"), backupBox));
    backupLayout->addWidget(m_backupPath);
    auto* backupButtons = new QHBoxLayout;
    backupButtons->addWidget(browseBackupButton);
    backupButtons->addWidget(m_backup);
    backupLayout->addLayout(backupButtons);
    backupLayout->addStretch();

    auto* syncBox = new QGroupBox(tr("Synchronize with another Daylark"), this);
    m_otherPath = new QLineEdit(syncBox);
    m_otherPath->setObjectName("otherPath");
    auto* browseOtherButton = dialogButton(tr("B&rowse"), "browseOther", syncBox);
    m_lists = new QCheckBox(tr("Lists"), syncBox);
    m_lists->setObjectName("listsBox");
    m_alarms = new QCheckBox(tr("Alarms"), syncBox);
    m_alarms->setObjectName("alarmsBox");
    m_synchronize = dialogButton(tr("&Synchronize"), "synchronizeButton", syncBox);
    auto* syncLayout = new QVBoxLayout(syncBox);
    syncLayout->addWidget(new QLabel(tr("Other Daylark Location"), syncBox));
    syncLayout->addWidget(m_otherPath);
    auto* syncButtons = new QHBoxLayout;
    syncButtons->addWidget(browseOtherButton);
    syncButtons->addWidget(m_lists);
    syncButtons->addWidget(m_alarms);
    syncLayout->addLayout(syncButtons);
    syncLayout->addWidget(m_synchronize);

    auto* doneButton = new QPushButton(tr("&Done"), this);
    doneButton->setObjectName("doneButton");
    doneButton->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(
        new QLabel(tr("Please read the help file (Press F1) before using this feature!"), this), 0,
        0, 1, 2);
    layout->addWidget(backupBox, 1, 0);
    layout->addWidget(syncBox, 1, 1);
    layout->addWidget(doneButton, 2, 1, Qt::AlignRight);

    connect(m_backupPath, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.editBackupPath(text.toStdString()); });
    connect(m_otherPath, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.editOtherPath(text.toStdString()); });
    connect(m_alarms, &QCheckBox::clicked, this, [this](bool checked) {
        m_logic.clickAlarms(checked);
        renderButtons();
    });
    connect(m_lists, &QCheckBox::clicked, this, [this](bool checked) {
        m_logic.clickLists(checked);
        renderButtons();
    });
    connect(browseBackupButton, &QPushButton::clicked, this, &BackupSyncDialogView::browseBackup);
    connect(browseOtherButton, &QPushButton::clicked, this, &BackupSyncDialogView::browseOther);
    connect(m_backup, &QPushButton::clicked, this, &BackupSyncDialogView::runBackup);
    connect(m_synchronize, &QPushButton::clicked, this, &BackupSyncDialogView::runSynchronize);
    connect(doneButton, &QPushButton::clicked, this, &BackupSyncDialogView::finish);

    renderControls();
    renderButtons();
}

void BackupSyncDialogView::browseBackup()
{
    if (const auto path = m_choose(ChooserKind::Save,
                                   QString::fromStdString(m_logic.backupBrowseStart()), this)) {
        m_logic.backupChosen(path->toStdString());
        renderControls();
        renderButtons();
    }
}

void BackupSyncDialogView::browseOther()
{
    if (const auto path =
            m_choose(ChooserKind::Open, QString::fromStdString(m_logic.otherBrowseStart()), this)) {
        m_logic.otherChosen(path->toStdString());
        renderControls();
        renderButtons();
    }
}

void BackupSyncDialogView::runBackup()
{
    {
        const WaitCursor busy;
        m_logic.Backup();
    }
    renderButtons();
}

void BackupSyncDialogView::runSynchronize()
{
    {
        const WaitCursor busy;
        m_logic.Synchronize();
    }
    renderButtons();
}

void BackupSyncDialogView::finish()
{
    m_logic.Done();
    accept();
}

void BackupSyncDialogView::renderControls()
{
    const CBackupSyncDlg::Fields& shown = m_logic.controls();
    m_backupPath->setText(QString::fromStdString(shown.backupPath));
    m_otherPath->setText(QString::fromStdString(shown.otherPath));
    m_alarms->setChecked(shown.alarms);
    m_lists->setChecked(shown.lists);
}

void BackupSyncDialogView::renderButtons()
{
    m_backup->setEnabled(m_logic.backupEnabled());
    m_synchronize->setEnabled(m_logic.synchronizeEnabled());
}

} // namespace daylark
