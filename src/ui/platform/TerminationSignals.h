#pragma once

#include <QObject>

class QSocketNotifier;

namespace daylark {

/// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal delivered by the event loop, so the
/// program saves the page and its settings before it ends (a logout or `kill` loses nothing).
/// One instance per process: the handlers write to its pipe.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace daylark
