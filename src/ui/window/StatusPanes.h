#pragma once

#include <QCoreApplication>
#include <QString>

class QLabel;
class QStatusBar;

namespace daylark {

/// The main window's status bar panes: the message pane (a notification of the core until the
/// next key press, else a hint for the page on show), the "Not saved" mark while today's page
/// cannot be saved, and the clock.
class StatusPanes
{
    Q_DECLARE_TR_FUNCTIONS(StatusPanes)

public:
    /// Adds the panes to `bar`, which owns them.
    explicit StatusPanes(QStatusBar& bar);

    /// The hint of the message pane: a past day's page is read-only.
    void showPage(bool pastDay);
    /// A notification, shown until clearNotification().
    void showNotification(const QString& text);
    /// A key was pressed: the notification goes, the hint comes back.
    void clearNotification();
    /// The "Not saved" mark while `failing`; its tool tip names `failure`, the message of the
    /// save that failed.
    void showSaveState(bool failing, const QString& failure);
    void showClock(const QString& text);

private:
    void renderMessage();

    QLabel* m_message = nullptr;
    QLabel* m_saveState = nullptr;
    QLabel* m_clock = nullptr;
    QString m_notification;
    bool m_pastDay = false;
};

} // namespace daylark
