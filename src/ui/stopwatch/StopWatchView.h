#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace daylark {

class CStopWatchDlg;

/// The modeless "Stop Watch" window over its logic: forwards the buttons, runs the one-second
/// tick while the logic is running and shows the lap list and the running time.
///
/// Close, Escape and the close box (QDialog's close goes through reject()) hide the window and
/// emit closeRequested() once; the owner then releases its Stop Watch button and destroys the
/// window, and the logic with it. The close is accepted, so quitting the program (which closes
/// every window first) is not held up by an open stop watch.
class StopWatchView : public QDialog
{
    Q_OBJECT

public:
    /// The window owns its logic: the laps live as long as the window.
    explicit StopWatchView(std::unique_ptr<CStopWatchDlg> logic, QWidget* parent = nullptr);
    ~StopWatchView() override;

    void reject() override;

signals:
    /// The user closed the window.
    void closeRequested();

private:
    void render();

    std::unique_ptr<CStopWatchDlg> m_logic;
    QListWidget* m_list = nullptr;
    QLineEdit* m_elapsed = nullptr;
    QPushButton* m_lap = nullptr;
    QPushButton* m_stop = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace daylark
