#pragma once

#include "alarms/CAlarmDlg.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace daylark {

/// The "Alarm / Reminder" window over its logic: the alarms of one day in a list box, the name,
/// time and frequency fields, Add / Delete / Apply / Done. It forwards every edit, click and pick
/// to the logic and shows the logic's state; the changes are in the alarm list already, so Done,
/// Escape and the close box only close the window.
class AlarmDialogView : public QDialog
{
    Q_OBJECT

public:
    /// Shows `logic`, which is open already and must outlive the window.
    explicit AlarmDialogView(CAlarmDlg& logic, QWidget* parent = nullptr);

private:
    void buildLayout(QPushButton* deleteButton, QPushButton* done);
    void forwardUserActions(QPushButton* deleteButton, QPushButton* done);
    /// The user picked a line of the list box, or took the selection away.
    void pickedLine();
    /// The name field takes the keyboard focus with its text selected, ready for a new name.
    void focusName();
    void render();
    void renderList();
    void renderFields();

    CAlarmDlg& m_logic;
    QListWidget* m_alarms = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_hour = nullptr;
    QLineEdit* m_minute = nullptr;
    QRadioButton* m_am = nullptr;
    QRadioButton* m_pm = nullptr;
    std::array<QRadioButton*, CAlarmDlg::kFrequencyNames.size()> m_frequencies{};
    QCheckBox* m_messageBox = nullptr;
    QCheckBox* m_visibleOnCalendar = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_apply = nullptr;

    std::vector<std::string> m_shownLines;
    /// The logic's field revision the fields show; none before the first render.
    std::optional<std::uint64_t> m_shownRevision;
};

} // namespace daylark
