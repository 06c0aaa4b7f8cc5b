#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

namespace daylark {

class CSettingsDlg;

/// The modal "Settings" dialog over its logic: the four colour buttons, the two clock check
/// boxes, Main Page Font and OK. Escape and the close box end it without storing the boxes.
class SettingsView : public QDialog
{
    Q_OBJECT

public:
    /// Asks the user for a colour (0x00BBGGRR); nothing when cancelled.
    using ColourChooser = std::function<std::optional<std::uint32_t>(QWidget* parent)>;

    /// Opens `logic`, which must outlive the dialog. `fontCommand` runs the main window's Font
    /// command (none: the button does nothing). An empty `chooseColour` uses the platform's
    /// colour chooser, starting from black.
    SettingsView(CSettingsDlg& logic, std::function<void()> fontCommand,
                 ColourChooser chooseColour = {}, QWidget* parent = nullptr);
    ~SettingsView() override;

    /// The platform's colour chooser, starting from black.
    static std::optional<std::uint32_t> chooseWithColorDialog(QWidget* parent);

private:
    CSettingsDlg& m_logic;
    std::function<void()> m_fontCommand;
    ColourChooser m_chooseColour;
};

} // namespace daylark
