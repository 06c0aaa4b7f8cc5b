#include "ui/platform/QtMessageSink.h"

#include "ui/page/PageTextMapping.h"

#include <QMessageBox>
#include <QWidget>

#include <cstdio>

namespace daylark {

void QtMessageSink::setWindow(QWidget* window, std::function<void()> bringForward,
                              std::function<void(const std::string&)> showStatus)
{
    m_window = window;
    m_bringForward = std::move(bringForward);
    m_showStatus = std::move(showStatus);
}

MessageAnswer QtMessageSink::ask(const std::string& text, const std::string& caption,
                                 MessageIcon icon, MessageButtons buttons)
{
    if (m_unattended) {
        std::fprintf(stderr, "[%s]\n%s\n", caption.c_str(), text.c_str());
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
    if (!m_notices.isNull()) {
        m_notices->boxShowing(text, caption);
    }
    if (m_bringForward) {
        m_bringForward();
    }
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    if (buttons == MessageButtons::YesNo) {
        shown = QMessageBox::Yes | QMessageBox::No;
    } else if (buttons == MessageButtons::YesNoCancel) {
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::Warning,
                    QString::fromStdString(caption), displayTextFromPage(text), shown, m_window);
    box.setObjectName("messageBox");
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        // The box was closed without a button.
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
}

void QtMessageSink::notify(const std::string& text, const std::string& caption)
{
    if (!m_notices.isNull() && !m_unattended) {
        m_notices->notify(text, caption);
        return;
    }
    if (m_showStatus) {
        m_showStatus(caption.empty() ? text : caption + ": " + text);
    }
}

} // namespace daylark
