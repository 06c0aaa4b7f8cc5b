#pragma once

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QCloseEvent;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace daylark {

class CListDlg;

/// The "List Management" window over its logic: it opens the logic, forwards picks, typing
/// and clicks to it and shows its list box and contents box. OK and the close box end the
/// dialog through the logic's OK (a failed save keeps the window open); Escape through its
/// Cancel.
class ListDialogView : public QDialog
{
    Q_OBJECT

public:
    /// Opens `logic`, which must outlive the window.
    explicit ListDialogView(CListDlg& logic, QWidget* parent = nullptr);
    /// Lets the lists go unsaved when the dialog did not end through OK or Escape.
    ~ListDialogView() override;

    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void pickedEntry();
    void render();

    CListDlg& m_logic;
    QListWidget* m_names = nullptr;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_contents = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_ok = nullptr;

    /// Set while render() fills the controls, so their change signals are not taken for the
    /// user's.
    bool m_rendering = false;
    std::vector<std::string> m_shownNames;
    std::uint64_t m_shownRevision = 0;
};

} // namespace daylark
