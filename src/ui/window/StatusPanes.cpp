#include "ui/window/StatusPanes.h"

#include <QLabel>
#include <QStatusBar>

namespace daylark {

namespace {

/// The clock pane is as wide as the widest time it shows in the 12-hour clock.
constexpr const char* kClockWidthText = "12:22 AM";

} // namespace

StatusPanes::StatusPanes(QStatusBar& bar)
    : m_message(new QLabel(&bar))
    , m_saveState(new QLabel(tr("Not saved"), &bar))
    , m_clock(new QLabel(&bar))
{
    m_message->setObjectName("messagePane");
    bar.addWidget(m_message, 1);

    m_saveState->setObjectName("saveState");
    m_saveState->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));
    m_saveState->hide();
    bar.addPermanentWidget(m_saveState);

    m_clock->setObjectName("clockPane");
    m_clock->setAlignment(Qt::AlignCenter);
    m_clock->setMinimumWidth(
        m_clock->fontMetrics().horizontalAdvance(QLatin1String(kClockWidthText)) +
        2 * m_clock->fontMetrics().averageCharWidth());
    bar.addPermanentWidget(m_clock);
    renderMessage();
}

void StatusPanes::showPage(bool pastDay)
{
    m_pastDay = pastDay;
    renderMessage();
}

void StatusPanes::showNotification(const QString& text)
{
    m_notification = text.simplified();
    renderMessage();
}

void StatusPanes::clearNotification()
{
    if (!m_notification.isEmpty()) {
        m_notification.clear();
        renderMessage();
    }
}

void StatusPanes::showSaveState(bool failing, const QString& failure)
{
    m_saveState->setVisible(failing);
    m_saveState->setToolTip(
        tr("Today's page could not be saved:\n%1\nDaylark tries again whenever you pause.")
            .arg(failure));
}

void StatusPanes::showClock(const QString& text)
{
    m_clock->setText(text);
}

void StatusPanes::renderMessage()
{
    if (!m_notification.isEmpty()) {
        m_message->setText(m_notification);
    } else if (m_pastDay) {
        m_message->setText(tr("A past day, read-only. Alt+Right steps forward; Alt+Home (Today) "
                              "returns to today's page."));
    } else {
        m_message->setText(tr("Notes of the Day :) F1 for Help"));
    }
}

} // namespace daylark
