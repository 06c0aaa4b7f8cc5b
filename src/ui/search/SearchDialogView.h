#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace daylark {

class CSearchDlg;

/// The "Search For Text" window over its logic: it opens the logic, forwards every field, click
/// and key to it and shows its results, hit count and picture buttons. Done, Escape and the
/// close box close the logic.
class SearchDialogView : public QDialog
{
    Q_OBJECT

public:
    /// Opens `logic`, which must outlive the window.
    explicit SearchDialogView(CSearchDlg& logic, QWidget* parent = nullptr);
    ~SearchDialogView() override;

    void reject() override;

private:
    void start();
    void render();

    CSearchDlg& m_logic;
    QLineEdit* m_term1 = nullptr;
    QLineEdit* m_term2 = nullptr;
    QRadioButton* m_and = nullptr;
    QRadioButton* m_or = nullptr;
    QLineEdit* m_monthsBack = nullptr;
    QLineEdit* m_maxHits = nullptr;
    QPlainTextEdit* m_results = nullptr;
    QLabel* m_hits = nullptr;
    QPushButton* m_older = nullptr;
    QPushButton* m_newer = nullptr;
};

} // namespace daylark
