#pragma once

#include <QDialog>
#include <QPalette>

#include <cstdint>

class QPlainTextEdit;
class QPushButton;

namespace daylark {

class ArrowButton;
class CDayViewDlg;

/// The "Day View" window over its logic: the shown day's text in a box filling the window, and
/// below it the back, OK and forward buttons. Each edit goes to the logic; a past day shows
/// read-only in the past-day tint. Alt+Left and Alt+Right step as the main window's day steps
/// do, Ctrl+Enter is OK, Enter in the box starts a new line. Escape and the close box go
/// through the logic's Escape, which asks before dropping an edit.
class DayViewDialog : public QDialog
{
    Q_OBJECT

public:
    /// `logic` is open already and must outlive the window.
    explicit DayViewDialog(CDayViewDlg& logic, QWidget* parent = nullptr);
    /// Lets the edits go when the dialog did not end through OK or Escape.
    ~DayViewDialog() override;

    void accept() override;
    void reject() override;

private:
    void step(void (CDayViewDlg::*action)());
    void render();

    CDayViewDlg& m_logic;
    QPlainTextEdit* m_text = nullptr;
    ArrowButton* m_back = nullptr;
    QPushButton* m_ok = nullptr;
    ArrowButton* m_forward = nullptr;
    QPalette m_todayPalette;

    /// Set while render() fills the box, so its change signal is not taken for the user's.
    bool m_rendering = false;
    std::uint64_t m_shownRevision = 0;
};

} // namespace daylark
