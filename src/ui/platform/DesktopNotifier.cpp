#include "ui/platform/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <utility>

namespace daylark {

namespace {

constexpr auto kService = "org.freedesktop.Notifications";
constexpr auto kPath = "/org/freedesktop/Notifications";
constexpr auto kInterface = "org.freedesktop.Notifications";

} // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{}

void DesktopNotifier::send(const QString& summary, const QString& body,
                           std::function<void(bool)> done)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), "Notify");
    QVariantMap hints;
    // The service finds the program's name and icon through its desktop entry.
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("daylark"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(1))); // normal
    // A notice stays until dismissed, as it stays in the status bar until the next input: the
    // user may be away when an alarm comes.
    const int neverExpires = 0;
    call << QStringLiteral("Daylark") << uint(0) << QStringLiteral("daylark") << summary << body
         << QStringList() << hints << neverExpires;
    if (!m_bus.isConnected()) {
        // No call can be made, so no reply would ever come: the answer is given at once, from
        // the event loop as a reply would be.
        QTimer::singleShot(0, this, [done = std::move(done)] { done(false); });
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kReplyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [done = std::move(done)](QDBusPendingCallWatcher* finished) {
                const bool taken = !finished->isError();
                finished->deleteLater();
                done(taken);
            });
}

} // namespace daylark
