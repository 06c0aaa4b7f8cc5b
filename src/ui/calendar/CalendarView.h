#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

class QComboBox;
class QLabel;
class QMenu;
class QScrollBar;
class QTimer;

namespace daylark {

class ArrowButton;
class CalendarCells;
class CCalendarDlg;
struct CalendarColours;

/// The dialogs the calendar leads to, each opened over the calendar's window.
struct CalendarDoors
{
    std::function<void(QWidget& parent)> lists;
    std::function<void(QWidget& parent)> search;
    /// The settings dialog over the calendar's own copy of the colours.
    std::function<void(CalendarColours& colours, QWidget& parent)> settings;
    /// The day view on `day` (local midnight).
    std::function<void(std::int64_t day, QWidget& parent)> notes;
    /// The alarm dialog on `day`; the calendar shows its changes afterwards.
    std::function<void(std::int64_t day, QWidget& parent)> alarm;
};

/// The "Calendar" window over its logic: the buttons, the four arrows, the month list and the
/// year with their scroll bars along the top, the day names, and the day cells filling the
/// rest. It renders the logic's state and forwards the user's actions; a click on a day (or
/// Enter on the focused one) opens the "Calendar Day" pop-up.
class CalendarView : public QDialog
{
    Q_OBJECT

public:
    /// `logic` is open already.
    CalendarView(CCalendarDlg& logic, CalendarDoors doors, QWidget* parent = nullptr);

    /// Shows the window where the calendar placement says, maximised when it says so.
    void showAtPlacement();
    /// The day pop-up of the last chosen cell ("Notes", "Alarm").
    QMenu& dayPopup() { return *m_dayPopup; }

public slots:
    void accept() override;
    void reject() override;

private:
    QLayout* makeTopRow();
    QLayout* makeDayNames();
    QScrollBar* makeScrollBar(const char* name, const QString& tip);
    void connectControls();
    void scrolled(QScrollBar* bar, int action);
    void openPopup(int index);
    void openSettings();
    void render();

    CCalendarDlg& m_logic;
    CalendarDoors m_doors;
    CalendarCells* m_cells = nullptr;
    ArrowButton* m_monthBack = nullptr;
    ArrowButton* m_weekBack = nullptr;
    ArrowButton* m_weekForward = nullptr;
    ArrowButton* m_monthForward = nullptr;
    QComboBox* m_monthList = nullptr;
    QScrollBar* m_monthBar = nullptr;
    QLabel* m_year = nullptr;
    QScrollBar* m_yearBar = nullptr;
    QTimer* m_scrollTimer = nullptr;
    QMenu* m_dayPopup = nullptr;
};

} // namespace daylark
