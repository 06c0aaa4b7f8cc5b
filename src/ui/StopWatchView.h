#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTimer;

namespace daylark {

class CStopWatchDlg;

/// The modeless "Stop Watch" window over its logic: forwards the buttons, runs the one-second
/// tick while the logic is running and shows the lap list and the running time.
///
/// Close, Escape and the close box hide the window and emit closeRequested(); the owner then
/// releases its Stop Watch button and destroys the window (and after it the logic).
class StopWatchView : public QDialog
{
    Q_OBJECT

public:
    /// `logic` must outlive the window.
    explicit StopWatchView(CStopWatchDlg& logic, QWidget* parent = nullptr);
    ~StopWatchView() override;

    void reject() override;

signals:
    /// The user closed the window.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void render();

    CStopWatchDlg& m_logic;
    QListWidget* m_list = nullptr;
    QLineEdit* m_elapsed = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace daylark
