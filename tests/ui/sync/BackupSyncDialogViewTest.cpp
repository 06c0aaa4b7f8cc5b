#include "ui/sync/BackupSyncDialogView.h"

#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/WidgetLookup.h"
#include "sync/CBackupSyncDlg.h"
#include "sync/SyncTestData.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
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

    // Two data sets synchronised through paths typed into the fields: both end with the merged
    // pages, the run shows its progress over the dialog and holds everything else meanwhile,
    // and every label's mnemonic reaches its field.
    void synchronisesTwoDataSetsThroughTypedPaths()
    {
        const test::ScopedTimeZone zone(test::kEastern);
        const test::TempDir tmp;
        test::FixedClock clock(test::kNow);
        test::RecordingSink sink;
        const std::string data = tmp.file("data");
        const std::string other = tmp.file("other");
        createDirectories(data);
        createDirectories(other);
        test::filePages(data + "/1997.dlk", {{"1997-03-01", "my Saturday"}}, clock);
        clock.advance(-3600);
        test::filePages(other + "/1997.dlk",
                        {{"1997-03-01", "their Saturday"}, {"1997-03-02", "their Sunday"}}, clock);
        clock.time = test::kNow;
        test::writeDayFile(data + "/daylark.day", {2, test::kNow, 0, "my page"});
        test::writeDayFile(other + "/daylark.day", {2, test::kNow, 0, "their page"});
        test::writeFile(tmp.file("daylark.ini"), "");
        auto app = test::startApp(data, tmp.file("daylark.ini"), sink, clock);

        BackupSyncDialogView* shown = nullptr;
        int writesSeen = 0;
        const SyncSide side = test::sideOf(*app, [&](const std::string&) {
            if (writesSeen++ > 0) {
                return;
            }
            auto* progress = shown->findChild<QProgressDialog*>("progressDialog");
            QVERIFY(progress != nullptr && progress->isModal());
            QVERIFY(progress->labelText().startsWith("Merging "));
            for (const char* name :
                 {"backupButton", "synchronizeButton", "doneButton", "browseOther", "otherPath"}) {
                QVERIFY2(!child<QWidget>(*shown, name)->isEnabled(), name);
            }
            QVERIFY(QApplication::overrideCursor() != nullptr &&
                    QApplication::overrideCursor()->shape() == Qt::WaitCursor);
            QVERIFY(app->doc().dayChangeHeld());
        });
        CBackupSyncDlg logic(app->profile(), side);
        BackupSyncDialogView view(logic);
        shown = &view;
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));

        auto* backupPath = child<QLineEdit>(view, "backupPath");
        auto* otherPath = child<QLineEdit>(view, "otherPath");
        QTest::keyClick(&view, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), backupPath);
        QTest::keyClicks(backupPath, QString::fromStdString(tmp.file("backup.dlk")));
        QTest::keyClick(&view, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), otherPath);
        QTest::keyClicks(otherPath, QString::fromStdString(other + "/1997.dlk"));
        const QList<QLabel*> labels = view.findChildren<QLabel*>();
        QCOMPARE(std::count_if(labels.begin(), labels.end(),
                               [](QLabel* label) { return label->buddy() != nullptr; }),
                 2);

        QTest::mouseClick(child<QPushButton>(view, "backupButton"), Qt::LeftButton);
        QVERIFY(test::fileExists(tmp.file("LocalDaylark/1997.dlk")));
        QTest::mouseClick(child<QPushButton>(view, "synchronizeButton"), Qt::LeftButton);
        QVERIFY2(sink.messages.empty(), sink.messages.empty() ? "" : sink.texts()[0].c_str());
        QVERIFY(writesSeen > 0);
        QVERIFY(view.findChild<QProgressDialog*>() == nullptr);
        QVERIFY(!app->doc().dayChangeHeld());

        const auto ours = test::pagesOf(data + "/1997.dlk");
        QCOMPARE(ours, test::pagesOf(other + "/1997.dlk"));
        QCOMPARE(ours.size(), size_t(2));
        QVERIFY(ours[0].second.find("my Saturday") != std::string::npos &&
                ours[0].second.find("their Saturday") != std::string::npos);
        QCOMPARE(ours[1].second, std::string("their Sunday"));
        const std::string today = app->doc().pageText().text();
        QVERIFY(today.find("my page") != std::string::npos &&
                today.find("their page") != std::string::npos);
        QCOMPARE(test::readDayFile(other + "/daylark.day").text, today);
        QCOMPARE(test::readDayFile(data + "/daylark.day").text, today);
        QCOMPARE(app->profile().readString("Settings", "SyncDir", ""), other + "/1997.dlk");
        QVERIFY(logic.summary().find("Synchronised with " + other + ": 3 pages merged") !=
                std::string::npos);
    }
};

} // namespace daylark

QTEST_MAIN(daylark::BackupSyncDialogViewTest)
#include "BackupSyncDialogViewTest.moc"
