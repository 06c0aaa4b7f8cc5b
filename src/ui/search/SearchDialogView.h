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
/// and key to it and shows its results (the search terms marked in the hit on show), hit count
/// and buttons. Done, Escape and the close box close the logic; Show Day and a double click on
/// a page hit leave the window for that day.
class SearchDialogView : public QDialog
{
    Q_OBJECT

public:
    /// Opens `logic`, which must outlive the window.
    explicit SearchDialogView(CSearchDlg& logic, QWidget* parent = nullptr);
    ~SearchDialogView() override;

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout(QPushButton* startButton, QPushButton* doneButton);
    void forwardUserActions(QPushButton* startButton, QPushButton* doneButton);
    void start();
    void showDay();
    void render();
    void markTerms();

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
    QPushButton* m_showDay = nullptr;
};

} // namespace daylark
