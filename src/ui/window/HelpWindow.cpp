#include "ui/window/HelpWindow.h"

#include "ui/platform/AppIcon.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace daylark {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("helpWindow");
    setWindowTitle(tr("Daylark Help"));
    setWindowIcon(applicationIcon());
    auto* browser = m_browser = new QTextBrowser(this);
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

bool HelpWindow::showSection(const QString& heading)
{
    QTextDocument* guide = m_browser->document();
    for (QTextBlock block = guide->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && block.text() == heading) {
            // The heading at the top of the view.
            m_browser->verticalScrollBar()->setValue(
                qRound(guide->documentLayout()->blockBoundingRect(block).top()));
            return true;
        }
    }
    return false;
}

QString HelpWindow::sectionFor(const QString& dialogName)
{
    static const QHash<QString, QString> sections = {
        {QStringLiteral("calendar"), QStringLiteral("The calendar")},
        {QStringLiteral("dayView"), QStringLiteral("Notes for a later day")},
        {QStringLiteral("alarmDialog"), QStringLiteral("Alarms")},
        {QStringLiteral("searchDialog"), QStringLiteral("Searching the past")},
        {QStringLiteral("backupSyncDialog"), QStringLiteral("Backup and synchronisation")},
        {QStringLiteral("listDialog"), QStringLiteral("Lists, the stop watch and settings")},
        {QStringLiteral("stopWatch"), QStringLiteral("Lists, the stop watch and settings")},
        {QStringLiteral("settingsDialog"), QStringLiteral("Lists, the stop watch and settings")},
    };
    return sections.value(dialogName);
}

void HelpWindow::showFor(QWidget& dialog)
{
    auto* help = dialog.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (help == nullptr) {
        help = new HelpWindow(&dialog);
        help->resize(560, 600);
    }
    help->show();
    help->showSection(sectionFor(dialog.objectName()));
    help->raise();
    help->activateWindow();
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
