#include "ui/stopwatch/StopWatchView.h"

#include "tools/CStopWatchDlg.h"
#include "ui/platform/DialogButton.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace daylark {

StopWatchView::StopWatchView(std::unique_ptr<CStopWatchDlg> logic, QWidget* parent)
    : QDialog(parent)
    , m_logic(std::move(logic))
{
    setObjectName("stopWatch");
    setWindowTitle(QString::fromStdString(std::string(CStopWatchDlg::kTitle)));
    setModal(false);

    // Lap lines line up in columns only in a fixed-width font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* headings = new QHBoxLayout;
    auto* numberHeading = new QLabel(tr("#   Elapse&d"), this);
    numberHeading->setFont(fixed);
    auto* lapHeading = new QLabel(tr("L&ap"), this);
    lapHeading->setFont(fixed);
    headings->addWidget(numberHeading);
    headings->addStretch();
    headings->addWidget(lapHeading);
    headings->addStretch();
    m_list = new QListWidget(this);
    m_list->setObjectName("lapList");
    m_list->setFont(fixed);
    numberHeading->setBuddy(m_list);
    lapHeading->setBuddy(m_list);
    m_elapsed = new QLineEdit(this);
    m_elapsed->setObjectName("elapsed");
    m_elapsed->setReadOnly(true);
    m_elapsed->setFont(fixed);

    auto* start = dialogButton(tr("&Start"), "startButton", this);
    start->setDefault(true);
    m_lap = dialogButton(tr("&Lap"), "lapButton", this);
    m_stop = dialogButton(tr("Sto&p"), "stopButton", this);
    auto* close = dialogButton(tr("&Close"), "closeButton", this);
    auto* exportButton = dialogButton(tr("&Export to Daylark"), "exportButton", this);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* each : {start, m_lap, m_stop, close, exportButton}) {
        buttons->addWidget(each);
    }
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(headings);
    left->addWidget(m_list);
    left->addWidget(m_elapsed);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    m_timer = new QTimer(this);
    m_timer->setObjectName("tickTimer");
    m_timer->setInterval(CStopWatchDlg::kTickMs);
    // A coarse timer may fire a little early; the seconds are cut down, so an early tick would
    // show the same second twice and then skip one.
    m_timer->setTimerType(Qt::PreciseTimer);

    connect(m_timer, &QTimer::timeout, this, [this] {
        m_logic->Tick();
        render();
    });
    connect(start, &QPushButton::clicked, this, [this] {
        m_logic->Start();
        m_timer->stop(); // a new run ticks in step with its own start
        render();
    });
    connect(m_lap, &QPushButton::clicked, this, [this] {
        m_logic->Lap();
        render();
    });
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_logic->Stop();
        render();
    });
    connect(exportButton, &QPushButton::clicked, this, [this] { m_logic->Export(); });
    connect(close, &QPushButton::clicked, this, &StopWatchView::reject);

    render();
}

StopWatchView::~StopWatchView() = default;

void StopWatchView::reject()
{
    m_timer->stop();
    QDialog::reject();
    emit closeRequested();
}

void StopWatchView::render()
{
    const auto& lines = m_logic->lines();
    if (m_list->count() > static_cast<int>(lines.size())) {
        m_list->clear();
    }
    for (auto i = static_cast<std::size_t>(m_list->count()); i < lines.size(); ++i) {
        m_list->addItem(QString::fromStdString(lines[i]));
    }
    if (m_list->count() > 0) {
        m_list->scrollToBottom();
    }
    m_elapsed->setText(QString::fromStdString(m_logic->elapsedText()));
    m_lap->setEnabled(m_logic->lapEnabled());
    m_stop->setEnabled(m_logic->stopEnabled());
    if (!m_logic->running()) {
        m_timer->stop();
    } else if (!m_timer->isActive()) {
        m_timer->start();
    }
}

} // namespace daylark
