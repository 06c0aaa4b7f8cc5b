#include "ui/sync/BackupSyncDialogView.h"

#include "sync/CBackupSyncDlg.h"
#include "sync/SyncSide.h"
#include "ui/platform/DialogButton.h"
#include "ui/platform/WaitCursor.h"
#include "ui/sync/SyncProgress.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
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
    , m_progress(*this, QString::fromLatin1(CBackupSyncDlg::kTitle))
{
    setObjectName("backupSyncDialog");
    setWindowTitle(QString::fromLatin1(CBackupSyncDlg::kTitle));

    m_backupBox = new QGroupBox(tr("Backup this Daylark"), this);
    m_backupPath = new QLineEdit(m_backupBox);
    m_backupPath->setObjectName("backupPath");
    auto* backupLabel = new QLabel(tr("Backup Des&tination"), m_backupBox);
    backupLabel->setBuddy(m_backupPath);
    auto* browseBackupButton = dialogButton(tr("&Browse"), "browseBackup", m_backupBox);
    m_backup = dialogButton(tr("Back&up"), "backupButton", m_backupBox);
    auto* backupLayout = new QVBoxLayout(m_backupBox);
    backupLayout->addWidget(backupLabel);
    backupLayout->addWidget(m_backupPath);
    auto* backupButtons = new QHBoxLayout;
    backupButtons->addWidget(browseBackupButton);
    backupButtons->addWidget(m_backup);
    backupLayout->addLayout(backupButtons);
    backupLayout->addStretch();

    m_syncBox = new QGroupBox(tr("Synchronize with another Daylark"), this);
    m_otherPath = new QLineEdit(m_syncBox);
    // Room for a real path: a folder on a removable drive is seldom short.
    for (QLineEdit* path : {m_backupPath, m_otherPath}) {
        path->setMinimumWidth(path->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
    }
    m_otherPath->setObjectName("otherPath");
    auto* otherLabel = new QLabel(tr("&Other Daylark Location"), m_syncBox);
    otherLabel->setBuddy(m_otherPath);
    auto* browseOtherButton = dialogButton(tr("B&rowse"), "browseOther", m_syncBox);
    m_lists = new QCheckBox(tr("&Lists"), m_syncBox);
    m_lists->setObjectName("listsBox");
    m_alarms = new QCheckBox(tr("&Alarms"), m_syncBox);
    m_alarms->setObjectName("alarmsBox");
    m_synchronize = dialogButton(tr("&Synchronize"), "synchronizeButton", m_syncBox);
    auto* syncLayout = new QVBoxLayout(m_syncBox);
    syncLayout->addWidget(otherLabel);
    syncLayout->addWidget(m_otherPath);
    auto* syncButtons = new QHBoxLayout;
    syncButtons->addWidget(browseOtherButton);
    syncButtons->addWidget(m_lists);
    syncButtons->addWidget(m_alarms);
    syncLayout->addLayout(syncButtons);
    syncLayout->addWidget(m_synchronize);

    m_done = new QPushButton(tr("&Done"), this);
    m_done->setObjectName("doneButton");
    m_done->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(
        new QLabel(tr("Please read the help file (Press F1) before using this feature!"), this), 0,
        0, 1, 2);
    layout->addWidget(m_backupBox, 1, 0);
    layout->addWidget(m_syncBox, 1, 1);
    layout->addWidget(m_done, 2, 1, Qt::AlignRight);

    connect(m_backupPath, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_logic.editBackupPath(text.toStdString());
        renderButtons();
    });
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
    connect(m_backup, &QPushButton::clicked, this, [this] { runWork(&CBackupSyncDlg::Backup); });
    connect(m_synchronize, &QPushButton::clicked, this,
            [this] { runWork(&CBackupSyncDlg::Synchronize); });
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    m_logic.setProgressListener([this](const SyncStep& step) { showStep(step); });

    renderControls();
    renderButtons();
}

BackupSyncDialogView::~BackupSyncDialogView()
{
    m_logic.setProgressListener({});
}

void BackupSyncDialogView::reject()
{
    if (!m_logic.running()) {
        QDialog::reject();
    }
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

void BackupSyncDialogView::runWork(void (CBackupSyncDlg::*action)())
{
    {
        const WaitCursor busy;
        (m_logic.*action)();
    }
    m_progress.close();
    renderButtons();
}

void BackupSyncDialogView::showStep(const SyncStep& step)
{
    const bool first = !m_progress.running();
    m_progress.show(step);
    if (first) {
        renderButtons();
    }
}

void BackupSyncDialogView::renderControls()
{
    const CBackupSyncDlg::Fields& shown = m_logic.fields();
    m_backupPath->setText(QString::fromStdString(shown.backupPath));
    m_otherPath->setText(QString::fromStdString(shown.otherPath));
    m_alarms->setChecked(shown.alarms);
    m_lists->setChecked(shown.lists);
}

void BackupSyncDialogView::renderButtons()
{
    const bool idle = !m_logic.running();
    m_backupBox->setEnabled(idle);
    m_syncBox->setEnabled(idle);
    m_done->setEnabled(idle);
    m_backup->setEnabled(m_logic.backupEnabled());
    m_synchronize->setEnabled(m_logic.synchronizeEnabled());
}

} // namespace daylark
