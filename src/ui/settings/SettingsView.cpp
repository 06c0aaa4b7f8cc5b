#include "ui/settings/SettingsView.h"

#include "tools/CSettingsDlg.h"
#include "ui/platform/ColourRef.h"
#include "ui/settings/ColourSwatch.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace daylark {

SettingsView::SettingsView(CSettingsDlg& logic, std::function<void()> fontCommand,
                           ColourChooser chooseColour, QWidget* parent)
    : QDialog(parent)
    , m_logic(logic)
    , m_fontCommand(std::move(fontCommand))
    , m_chooseColour(chooseColour ? std::move(chooseColour) : &chooseWithColorDialog)
{
    setObjectName("settingsDialog");
    // Wide enough for the title and the longest colour button.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Not Current Month")) * 3);
    setWindowTitle(QString::fromStdString(std::string(CSettingsDlg::kTitle)));
    m_logic.Open();

    auto* colours = new QGroupBox(tr("Calendar Colors"), this);
    auto* colourLayout = new QVBoxLayout(colours);
    const struct
    {
        QString caption;
        const char* name;
        CSettingsDlg::Colour which;
    } colourButtons[] = {
        {tr("&Current Month"), "currentMonthButton", CSettingsDlg::Colour::CurrentMonth},
        {tr("&Not Current Month"), "notCurrentMonthButton", CSettingsDlg::Colour::NotCurrentMonth},
        {tr("&Today"), "todayButton", CSettingsDlg::Colour::Today},
        {tr("&Holiday"), "holidayButton", CSettingsDlg::Colour::Holiday},
    };
    for (const auto& each : colourButtons) {
        auto* button = new QPushButton(each.caption, colours);
        button->setObjectName(QString::fromLatin1(each.name));
        button->setAutoDefault(false);
        colourLayout->addWidget(button);
        m_colourButtons.emplace_back(button, each.which);
        connect(button, &QPushButton::clicked, this, [this, which = each.which] {
            if (const auto chosen = m_chooseColour(m_logic.colour(which), this)) {
                m_logic.ChooseColour(which, *chosen);
                renderSwatches();
            }
        });
    }
    renderSwatches();

    auto* useGmt = new QCheckBox(tr("&Use GMT"), this);
    useGmt->setObjectName("useGmt");
    useGmt->setChecked(m_logic.useGmt());
    connect(useGmt, &QCheckBox::toggled, this, [this](bool on) { m_logic.setUseGmt(on); });
    auto* use24 = new QCheckBox(tr("&24 Hour format"), this);
    use24->setObjectName("use24HourClock");
    use24->setChecked(m_logic.use24HourClock());
    connect(use24, &QCheckBox::toggled, this, [this](bool on) { m_logic.setUse24HourClock(on); });
    auto* atLogin = new QCheckBox(tr("Start Daylark when I &log in"), this);
    atLogin->setObjectName("startAtLogin");
    atLogin->setChecked(m_logic.startAtLogin());
    atLogin->setVisible(m_logic.offersAutostart());
    connect(atLogin, &QCheckBox::toggled, this, [this](bool on) { m_logic.setStartAtLogin(on); });
    auto* syncShared = new QCheckBox(
        tr("&Synchronise with the shared folder at start, at close and after each change of day"),
        this);
    syncShared->setObjectName("syncShared");
    syncShared->setChecked(m_logic.syncShared());
    syncShared->setToolTip(tr("The folder of the last synchronisation in Backup and Synchronize, "
                              "with its Lists and Alarms options; backed up first when a backup "
                              "folder is set."));
    connect(syncShared, &QCheckBox::toggled, this, [this](bool on) { m_logic.setSyncShared(on); });
    auto* toTray = new QCheckBox(tr("Close to tra&y"), this);
    toTray->setObjectName("closeToTray");
    toTray->setChecked(m_logic.closeToTray());
    toTray->setVisible(m_logic.offersCloseToTray());
    connect(toTray, &QCheckBox::toggled, this, [this](bool on) { m_logic.setCloseToTray(on); });

    auto* font = new QPushButton(tr("Main Page &Font"), this);
    font->setObjectName("fontButton");
    font->setAutoDefault(false);
    connect(font, &QPushButton::clicked, this, [this] {
        if (m_fontCommand) {
            m_fontCommand();
        }
    });
    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_logic.OK();
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(colours);
    layout->addWidget(useGmt);
    layout->addWidget(use24);
    layout->addWidget(atLogin);
    layout->addWidget(syncShared);
    layout->addWidget(toTray);
    layout->addWidget(font);
    layout->addWidget(ok);
}

SettingsView::~SettingsView() = default;

void SettingsView::renderSwatches()
{
    for (const auto& [button, which] : m_colourButtons) {
        button->setIcon(colourSwatch(m_logic.colour(which), button->iconSize()));
    }
}

std::optional<std::uint32_t> SettingsView::chooseWithColorDialog(std::uint32_t current,
                                                                 QWidget* parent)
{
    const QColor chosen = QColorDialog::getColor(qColorOfColourRef(current), parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return colourRefOfQColor(chosen);
}

} // namespace daylark
