#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace daylark {

/// Shows notices through the desktop's notification service (org.freedesktop.Notifications,
/// over D-Bus). It never waits for the service: whether the notice was taken comes back later,
/// on the event loop, so a hung service cannot stop the program.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    static constexpr int kReplyTimeoutMs = 5000;

    /// Talks to the service on `bus`: the session bus in the program, a private one in tests.
    explicit DesktopNotifier(QDBusConnection bus, QObject* parent = nullptr);

    /// Asks the service to show `summary` and `body` (in the service's markup) until the user
    /// dismisses it. `done` runs later with whether the service took the notice: false when no
    /// bus is connected, no service is there, it refused the call or it did not answer in
    /// `kReplyTimeoutMs`.
    void send(const QString& summary, const QString& body, std::function<void(bool)> done);

private:
    QDBusConnection m_bus;
};

} // namespace daylark
