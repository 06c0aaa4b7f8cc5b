#pragma once

#include <QWidget>

class QTextBrowser;

namespace daylark {

/// F1: the user guide that ships inside the program, in a window of its own beside the main
/// window, or above a dialog at that dialog's section. Escape closes it.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    /// Scrolls the guide to the section whose heading is `heading`; false when there is none.
    bool showSection(const QString& heading);

    /// F1 in `dialog`: the guide at the dialog's section, in a window of the dialog's own, so
    /// that it stands above the dialog and takes input while the dialog is modal.
    static void showFor(QWidget& dialog);
    /// The guide's heading for a dialog, by the dialog's object name; empty for none.
    static QString sectionFor(const QString& dialogName);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace daylark
