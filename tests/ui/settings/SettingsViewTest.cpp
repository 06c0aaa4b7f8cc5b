#include "ui/settings/SettingsView.h"

#include "platform/CalendarColours.h"
#include "platform/DisplayFlags.h"
#include "platform/Profile.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/WidgetLookup.h"
#include "tools/CSettingsDlg.h"

#include <QCheckBox>
#include <QImage>
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
    void buttonsShowTheirColoursAndTheChooserStartsThere();
    void theTrayBoxShowsOnlyWithATrayAndOkStoresIt();
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
    auto chooser = [&answers](std::uint32_t, QWidget*) {
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

namespace {

QColor swatchColour(const QPushButton& button)
{
    const QImage swatch = button.icon().pixmap(button.iconSize()).toImage();
    return swatch.pixelColor(swatch.rect().center());
}

} // namespace

void SettingsViewTest::buttonsShowTheirColoursAndTheChooserStartsThere()
{
    test::TempDir dir;
    test::RecordingSink sink;
    Profile profile(dir.file("daylark.ini"), sink);
    DisplayFlags flags;
    CalendarColours colours{0x000000FF, 0x0000FF00, 0x00FF0000, 0x00123456};
    std::vector<std::uint32_t> starts;
    std::optional<std::uint32_t> answer = 0x00ABCDEF;
    auto chooser = [&](std::uint32_t current, QWidget*) {
        starts.push_back(current);
        return answer;
    };
    CSettingsDlg logic(profile, flags, colours);
    SettingsView view(logic, {}, chooser);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));

    const struct
    {
        const char* button;
        Qt::Key mnemonic;
        QColor shown;
    } buttons[] = {
        {"currentMonthButton", Qt::Key_C, QColor(0xFF, 0, 0)},
        {"notCurrentMonthButton", Qt::Key_N, QColor(0, 0xFF, 0)},
        {"todayButton", Qt::Key_T, QColor(0, 0, 0xFF)},
        {"holidayButton", Qt::Key_H, QColor(0x56, 0x34, 0x12)},
    };
    for (const auto& each : buttons) {
        QCOMPARE(swatchColour(*child<QPushButton>(view, each.button)), each.shown);
    }

    QTest::keyClick(&view, Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(starts, std::vector<std::uint32_t>{0x00FF0000});
    QCOMPARE(colours.today, std::uint32_t(0x00ABCDEF));
    QCOMPARE(swatchColour(*child<QPushButton>(view, "todayButton")), QColor(0xEF, 0xCD, 0xAB));
    answer = std::nullopt; // cancelled: the swatch stays
    QTest::mouseClick(child<QPushButton>(view, "todayButton"), Qt::LeftButton);
    QCOMPARE(starts.back(), std::uint32_t(0x00ABCDEF)); // starts at the colour chosen before
    QCOMPARE(swatchColour(*child<QPushButton>(view, "todayButton")), QColor(0xEF, 0xCD, 0xAB));

    // Each mnemonic reaches its own control.
    starts.clear();
    for (const auto& each : buttons) {
        QTest::keyClick(&view, each.mnemonic, Qt::AltModifier);
    }
    QTRY_COMPARE(starts.size(), std::size_t(4));
    QCOMPARE(starts, (std::vector<std::uint32_t>{0x000000FF, 0x0000FF00, 0x00ABCDEF, 0x00123456}));
    auto* useGmt = child<QCheckBox>(view, "useGmt");
    auto* use24 = child<QCheckBox>(view, "use24HourClock");
    QTest::keyClick(&view, Qt::Key_U, Qt::AltModifier);
    QTRY_VERIFY(useGmt->isChecked());
    QTest::keyClick(&view, Qt::Key_2, Qt::AltModifier);
    QTRY_VERIFY(use24->isChecked());
    QVERIFY(useGmt->isChecked());
}

void SettingsViewTest::theTrayBoxShowsOnlyWithATrayAndOkStoresIt()
{
    test::TempDir dir;
    test::RecordingSink sink;
    Profile profile(dir.file("daylark.ini"), sink);
    DisplayFlags flags;
    CalendarColours colours;
    {
        CSettingsDlg logic(profile, flags, colours);
        SettingsView view(logic, {});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(child<QCheckBox>(view, "closeToTray")->isHidden()); // no tray, no box
    }
    CSettingsDlg logic(profile, flags, colours);
    logic.offerCloseToTray();
    SettingsView view(logic, {});
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    auto* toTray = child<QCheckBox>(view, "closeToTray");
    QVERIFY(toTray->isVisible() && !toTray->isChecked());
    QTest::keyClick(&view, Qt::Key_Y, Qt::AltModifier);
    QTRY_VERIFY(toTray->isChecked());
    QVERIFY(!CSettingsDlg::closesToTray(profile));
    QTest::mouseClick(child<QPushButton>(view, "okButton"), Qt::LeftButton);
    QVERIFY(CSettingsDlg::closesToTray(profile));
}

} // namespace daylark

QTEST_MAIN(daylark::SettingsViewTest)
#include "SettingsViewTest.moc"
