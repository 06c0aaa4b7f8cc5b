#include "ui/sync/BackupSyncDialogView.h"

#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"
#include "sync/CBackupSyncDlg.h"
#include "sync/SyncTestData.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace daylark {

using test::child;

class BackupSyncDialogViewTest : public QObject
{
    Q_OBJECT

private slots:
    void backsUpOnceThenOffersSynchronize()
    {
        const test::ScopedTimeZone zone(test::kEastern);
        const test::TempDir tmp;
        const test::FixedClock clock(test::kNow);
        test::RecordingSink sink;
        const std::string data = tmp.file("data");
        createDirectories(data);
        test::writeFile(tmp.file("daylark.ini"), "[Settings]\nBackupTodos=yes\n");
        test::writeDayFile(data + "/daylark.day", {2, test::kNow, 0, "my page"});
        auto app = test::startApp(data, tmp.file("daylark.ini"), sink, clock);
        const SyncSide side = test::sideOf(*app);
        CBackupSyncDlg logic(app->profile(), side);

        BackupSyncDialogView view(logic);
        QStringList asked;
        view.setFileChooser([&](BackupSyncDialogView::ChooserKind kind, const QString& start,
                                QWidget*) -> std::optional<QString> {
            asked << start;
            if (kind != BackupSyncDialogView::ChooserKind::Save) {
                return std::nullopt; // cancelled
            }
            return QString::fromStdString(tmp.file("backup.dlk"));
        });
        view.show();
        auto* backup = child<QPushButton>(view, "backupButton");
        auto* synchronize = child<QPushButton>(view, "synchronizeButton");
        QVERIFY(child<QCheckBox>(view, "listsBox")->isChecked());
        QVERIFY(!child<QCheckBox>(view, "alarmsBox")->isChecked());
        QVERIFY(!backup->isEnabled() && !synchronize->isEnabled());

        QTest::mouseClick(child<QPushButton>(view, "browseOther"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(view, "otherPath")->text(), QString());
        QTest::mouseClick(child<QPushButton>(view, "browseBackup"), Qt::LeftButton);
        const QString archive = QString::fromStdString(data + "/1997.dlk");
        QCOMPARE(asked, (QStringList{archive, archive}));
        QCOMPARE(child<QLineEdit>(view, "backupPath")->text(),
                 QString::fromStdString(tmp.file("backup.dlk")));
        QVERIFY(backup->isEnabled());

        QTest::mouseClick(backup, Qt::LeftButton);
        QVERIFY2(sink.messages.empty(), sink.messages.empty() ? "" : sink.texts()[0].c_str());
        QCOMPARE(test::readFile(tmp.file("LocalDaylark/daylark.day")),
                 test::readFile(data + "/daylark.day"));
        QVERIFY(!backup->isEnabled() && synchronize->isEnabled());
        QCOMPARE(app->profile().readString("Settings", "BackupDir", ""), tmp.file("backup.dlk"));

        QTest::mouseClick(child<QPushButton>(view, "doneButton"), Qt::LeftButton);
        QVERIFY(!view.isVisible());
    }
};

} // namespace daylark

QTEST_MAIN(daylark::BackupSyncDialogViewTest)
#include "BackupSyncDialogViewTest.moc"
