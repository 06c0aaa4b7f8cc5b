#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace daylark {

struct SyncStep;

/// The progress of a backup or a synchronisation, which cannot stop half way: a window-modal
/// progress dialog over the parent that appears once a run takes longer than 300 ms. Each step
/// repaints the windows and runs the timers, holding the user's clicks and keys until the run
/// is over.
class SyncProgress
{
public:
    SyncProgress(QWidget& parent, QString title);
    ~SyncProgress();
    SyncProgress(const SyncProgress&) = delete;
    SyncProgress& operator=(const SyncProgress&) = delete;

    void show(const SyncStep& step);
    /// Whether a step was shown since the last close.
    bool running() const { return m_dialog != nullptr; }
    void close();

private:
    QWidget& m_parent;
    QString m_title;
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_started;
};

} // namespace daylark
