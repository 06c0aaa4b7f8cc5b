#include "ui/window/HelpWindow.h"

#include "ui/platform/AppIcon.h"

#include <QFile>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace daylark {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("helpWindow");
    setWindowTitle(tr("Daylark Help"));
    setWindowIcon(applicationIcon());
    auto* browser = new QTextBrowser(this);
    browser->setObjectName("helpBrowser");
    browser->setOpenExternalLinks(true);
    browser->setSearchPaths({QStringLiteral(":/help")}); // the guide's pictures
    QFile guide(QStringLiteral(":/help/user-guide.md"));
    if (guide.open(QIODevice::ReadOnly)) {
        browser->setMarkdown(QString::fromUtf8(guide.readAll()));
        browser->document()->setDocumentMargin(14);
    } else {
        browser->setPlainText(tr("The user guide is missing from this build of Daylark."));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(680, 720);
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace daylark
