#pragma once

#include <QMainWindow>

class QPlainTextEdit;

namespace daylark {

/// The main window: the page of the day in a wrapping plain-text editor.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

private:
    QPlainTextEdit* m_page = nullptr;
};

} // namespace daylark
