#pragma once

#include "tools/CSettingsDlg.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QPushButton;

namespace daylark {

/// The modal "Settings" dialog over its logic: the four colour buttons, each showing its
/// colour, the two clock check boxes, Main Page Font and OK. Escape and the close box end it
/// without storing the boxes.
class SettingsView : public QDialog
{
    Q_OBJECT

public:
    /// Asks the user for a colour (0x00BBGGRR), starting from `current`; nothing when
    /// cancelled.
    using ColourChooser =
        std::function<std::optional<std::uint32_t>(std::uint32_t current, QWidget* parent)>;

    /// Opens `logic`, which must outlive the dialog. `fontCommand` runs the main window's Font
    /// command (none: the button does nothing). An empty `chooseColour` uses the platform's
    /// colour chooser.
    SettingsView(CSettingsDlg& logic, std::function<void()> fontCommand,
                 ColourChooser chooseColour = {}, QWidget* parent = nullptr);
    ~SettingsView() override;

    /// The platform's colour chooser, starting from `current`.
    static std::optional<std::uint32_t> chooseWithColorDialog(std::uint32_t current,
                                                              QWidget* parent);

private:
    void renderSwatches();

    CSettingsDlg& m_logic;
    std::function<void()> m_fontCommand;
    ColourChooser m_chooseColour;
    std::vector<std::pair<QPushButton*, CSettingsDlg::Colour>> m_colourButtons;
};

} // namespace daylark
