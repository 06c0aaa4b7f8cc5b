#include "ui/settings/SettingsView.h"

#include "platform/CalendarColours.h"
#include "platform/DisplayFlags.h"
#include "platform/Profile.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/WidgetLookup.h"
#include "tools/CSettingsDlg.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <vector>

namespace daylark {

using test::child;

class SettingsViewTest : public QObject
{
    Q_OBJECT

private slots:
    void coloursChangeAtOnceBoxesOnlyWithOk();
};

void SettingsViewTest::coloursChangeAtOnceBoxesOnlyWithOk()
{
    test::TempDir dir;
    test::RecordingSink sink;
    Profile profile(dir.file("daylark.ini"), sink);
    profile.writeString("Settings", "UseGMT", "y");
    DisplayFlags flags;
    CalendarColours colours;
    const CalendarColours defaults;
    std::vector<std::optional<std::uint32_t>> answers = {0x00102030, std::nullopt};
    int fontCommands = 0;
    auto chooser = [&answers](QWidget*) {
        const auto answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    };

    {
        CSettingsDlg logic(profile, flags, colours);
        SettingsView view(
            logic, [&fontCommands] { ++fontCommands; }, chooser);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* useGmt = child<QCheckBox>(view, "useGmt");
        auto* use24 = child<QCheckBox>(view, "use24HourClock");
        QVERIFY(useGmt->isChecked()); // "y" ticks it here
        QVERIFY(!use24->isChecked());

        QTest::mouseClick(child<QPushButton>(view, "todayButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(view, "holidayButton"), Qt::LeftButton); // cancelled
        QTest::mouseClick(child<QPushButton>(view, "fontButton"), Qt::LeftButton);
        QCOMPARE(fontCommands, 1);
        use24->click();
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(view.result(), int(QDialog::Rejected));
    }
    QCOMPARE(colours.today, std::uint32_t(0x00102030));
    QCOMPARE(colours.holiday, defaults.holiday);
    QVERIFY(!flags.use24HourClock && !flags.useGmt);
    QCOMPARE(profile.readString("Settings", "UseUTC", "absent"), std::string("absent"));

    CSettingsDlg logic(profile, flags, colours);
    SettingsView view(logic, {}, chooser);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    child<QCheckBox>(view, "use24HourClock")->click();
    QTest::mouseClick(child<QPushButton>(view, "okButton"), Qt::LeftButton);
    QCOMPARE(view.result(), int(QDialog::Accepted));
    QVERIFY(flags.use24HourClock && flags.useGmt);
    QCOMPARE(profile.readString("Settings", "UseUTC", ""), std::string("yes"));
}

} // namespace daylark

QTEST_MAIN(daylark::SettingsViewTest)
#include "SettingsViewTest.moc"
