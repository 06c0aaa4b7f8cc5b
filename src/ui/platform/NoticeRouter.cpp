#include "ui/platform/NoticeRouter.h"

#include "platform/MessageSink.h"
#include "ui/page/PageTextMapping.h"
#include "ui/platform/DesktopNotifier.h"

#include <QMessageBox>
#include <QWidget>

#include <utility>

namespace daylark {

namespace {

QString statusLine(const std::string& text, const std::string& caption)
{
    return displayTextFromPage(caption.empty() ? text : caption + ": " + text);
}

} // namespace

WindowView windowViewOf(const QWidget& window)
{
    return window.isVisible() && !window.isMinimized() ? WindowView::Shown : WindowView::Hidden;
}

NoticeRouter::NoticeRouter(QWidget& window, DesktopNotifier& notifier,
                           std::function<void(const QString&)> showStatus)
    : m_window(window)
    , m_notifier(notifier)
    , m_showStatus(std::move(showStatus))
{}

NoticeRouter::~NoticeRouter()
{
    for (const QPointer<QMessageBox>& box : m_boxes) {
        delete box.data();
    }
}

void NoticeRouter::notify(const std::string& text, const std::string& caption)
{
    if (DesktopPresence::noticeWay(view()) == NoticeWay::StatusBar) {
        m_showStatus(statusLine(text, caption));
        return;
    }
    toDesktop(text, caption, /*fallBack=*/true);
}

void NoticeRouter::boxShowing(const std::string& text, const std::string& caption)
{
    if (DesktopPresence::boxAlsoOnDesktop(view())) {
        toDesktop(text, caption, /*fallBack=*/false); // the box itself is the fallback
    }
}

void NoticeRouter::toDesktop(const std::string& text, const std::string& caption, bool fallBack)
{
    const DesktopNotice notice = DesktopPresence::desktopNotice(text, caption);
    const QPointer<NoticeRouter> self(this);
    m_notifier.send(displayTextFromPage(notice.summary), displayTextFromPage(notice.body),
                    [self, text, caption, fallBack](bool taken) {
                        if (taken || !fallBack || self.isNull()) {
                            return;
                        }
                        self->fallBack(text, caption);
                    });
}

void NoticeRouter::fallBack(const std::string& text, const std::string& caption)
{
    // Where the window stands now: it may have been shown meanwhile.
    if (DesktopPresence::fallbackWay(view()) == NoticeWay::StatusBar) {
        m_showStatus(statusLine(text, caption));
        return;
    }
    showBox(caption.empty() ? QString::fromLatin1(MessageSink::kCaption)
                            : displayTextFromPage(caption),
            displayTextFromPage(text));
}

void NoticeRouter::showBox(const QString& caption, const QString& text)
{
    // Without a parent: a box over a minimised window is hidden with it by some window managers.
    auto* box = new QMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok);
    box->setObjectName("noticeBox");
    box->setModal(false);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Closing it while the window is in the tray must not end the program.
    box->setAttribute(Qt::WA_QuitOnClose, false);
    std::erase_if(m_boxes, [](const QPointer<QMessageBox>& open) { return open.isNull(); });
    m_boxes.emplace_back(box);
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace daylark
