#include "ui/sync/SyncProgress.h"

#include "sync/SyncSide.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressDialog>

#include <limits>

namespace daylark {

namespace {

/// A run shorter than this shows no progress dialog.
constexpr int kProgressDelayMs = 300;
constexpr int kProgressWidth = 360;

/// Escape and the close button leave the progress up: the run cannot stop half way.
class RunProgress : public QProgressDialog
{
public:
    using QProgressDialog::QProgressDialog;
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

SyncProgress::SyncProgress(QWidget& parent, QString title)
    : m_parent(parent)
    , m_title(std::move(title))
{}

SyncProgress::~SyncProgress() = default;

void SyncProgress::show(const SyncStep& step)
{
    if (!m_dialog) {
        m_dialog = std::make_unique<RunProgress>(&m_parent);
        m_dialog->setObjectName("progressDialog");
        m_dialog->setWindowTitle(m_title);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        // Shown here, by a step, never by the dialog's own timer: that could put it up over a
        // box the run opened (an imported alarm), hiding the box behind it.
        m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
        m_dialog->setMinimumWidth(kProgressWidth);
        m_started.start();
    }
    m_dialog->setMaximum(step.total);
    m_dialog->setLabelText(QString::fromStdString(step.text));
    m_dialog->setValue(step.done);
    if (!m_dialog->isVisible() && m_started.elapsed() >= kProgressDelayMs) {
        m_dialog->show();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SyncProgress::close()
{
    m_dialog.reset();
}

} // namespace daylark
