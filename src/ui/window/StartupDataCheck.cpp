#include "ui/window/StartupDataCheck.h"

#include "diary/CDaylarkDoc.h"

#include <QMetaObject>

namespace daylark {

StartupDataCheck::StartupDataCheck(CDaylarkDoc& doc, std::string dataDir, std::string dayFile,
                                   QObject* parent)
    : QObject(parent)
    , m_doc(doc)
    , m_check(std::move(dataDir), std::move(dayFile))
{}

StartupDataCheck::~StartupDataCheck()
{
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
    // A result the worker posted is dropped with this object; the hold goes now.
    release();
}

void StartupDataCheck::start()
{
    if (m_worker.joinable()) {
        return;
    }
    m_doc.holdDayChange();
    m_holding = true;
    m_worker = std::jthread([this](std::stop_token stop) {
        DataCheckReport report = m_check.check(stop);
        if (report.stopped) {
            return;
        }
        // Back to the event loop: only its thread touches the document.
        QMetaObject::invokeMethod(
            this, [this, report = std::move(report)] { finish(report); }, Qt::QueuedConnection);
    });
}

void StartupDataCheck::finish(const DataCheckReport& report)
{
    release();
    const std::string notice = DataCheck::damageNotice(report);
    if (!notice.empty()) {
        emit damageFound(QString::fromStdString(notice));
    }
    emit finished();
}

void StartupDataCheck::release()
{
    if (m_holding) {
        m_holding = false;
        m_doc.releaseDayChange();
    }
}

} // namespace daylark
