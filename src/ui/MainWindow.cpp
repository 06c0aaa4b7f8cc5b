#include "ui/MainWindow.h"

#include <QPlainTextEdit>
#include <QStatusBar>

namespace daylark {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_page(new QPlainTextEdit(this))
{
    m_page->setObjectName("pageEdit");
    m_page->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setCentralWidget(m_page);
    statusBar()->showMessage(tr("Notes of the Day :) F1 for Help"));
    resize(640, 480);
}

} // namespace daylark
