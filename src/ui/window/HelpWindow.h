#pragma once

#include <QWidget>

namespace daylark {

/// F1: the user guide that ships inside the program, in a window of its own beside the main
/// window. Escape closes it.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace daylark
