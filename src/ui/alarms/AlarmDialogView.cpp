#include "ui/alarms/AlarmDialogView.h"

#include "ui/page/PageTextMapping.h"
#include "ui/platform/DialogButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <cassert>

namespace daylark {

namespace {

constexpr QChar kBlank(u' ');

/// A name is one line. The page text mapping turns a CR in its bytes into a line break, which
/// a list line would show as a second line; it shows as a blank instead.
QString shownName(std::string_view bytes)
{
    QString text = displayTextFromPage(bytes);
    text.replace(u'\n', kBlank);
    return text;
}

/// The bytes of a typed name. A line break pasted into the field stays in its text (the field
/// only draws it as a blank); it is handed on as the blank it looks like, not as CR LF.
std::string typedName(QString text)
{
    for (const QChar lineBreak : {QChar(u'\r'), QChar(u'\n'), QChar(QChar::LineSeparator),
                                  QChar(QChar::ParagraphSeparator)}) {
        text.replace(lineBreak, kBlank);
    }
    return pageTextFromDisplay(text);
}

QString fromUtf8View(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// An hour or minute field: wide enough for a few digits, which the logic checks.
QLineEdit* numberEdit(const char* name, const QString& accessibleName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(accessibleName);
    edit->setToolTip(accessibleName);
    edit->setInputMethodHints(Qt::ImhDigitsOnly);
    edit->setAlignment(Qt::AlignRight);
    const int digits = edit->fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    edit->setFixedWidth(digits + 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
    return edit;
}

} // namespace

AlarmDialogView::AlarmDialogView(CAlarmDlg& logic, QWidget* parent)
    : QDialog(parent)
    , m_logic(logic)
{
    setObjectName("alarmDialog");
    setWindowTitle(QString::fromStdString(m_logic.title()));

    m_alarms = new QListWidget(this);
    m_alarms->setObjectName("alarms");
    m_alarms->setSelectionMode(QAbstractItemView::SingleSelection);
    m_alarms->setSortingEnabled(false); // the logic gives the order
    m_name = new QLineEdit(this);
    m_name->setObjectName("name");
    m_hour = numberEdit("hour", tr("Hour"), this);
    m_minute = numberEdit("minute", tr("Minute"), this);
    m_am = new QRadioButton(tr("AM"), this);
    m_am->setObjectName("am");
    m_pm = new QRadioButton(tr("PM"), this);
    m_pm->setObjectName("pm");
    for (std::size_t i = 0; i < m_frequencies.size(); ++i) {
        m_frequencies[i] = new QRadioButton(fromUtf8View(CAlarmDlg::kFrequencyNames[i]), this);
        m_frequencies[i]->setObjectName(QStringLiteral("frequency%1").arg(i));
    }
    m_messageBox = new QCheckBox(tr("Message Box "), this);
    m_messageBox->setObjectName("messageBox");
    m_visibleOnCalendar = new QCheckBox(tr("Visible On Calendar"), this);
    m_visibleOnCalendar->setObjectName("visibleOnCalendar");
    m_add = dialogButton(tr("&Add"), "add", this);
    auto* deleteButton = dialogButton(tr("&Delete"), "delete", this);
    m_apply = dialogButton(tr("A&pply"), "apply", this);
    auto* done = dialogButton(tr("D&one"), "done", this);

    buildLayout(deleteButton, done);
    forwardUserActions(deleteButton, done);
    render();
    focusName();
}

void AlarmDialogView::buildLayout(QPushButton* deleteButton, QPushButton* done)
{
    auto* alarmsLabel = new QLabel(tr("A&larms"), this);
    alarmsLabel->setBuddy(m_alarms);
    // Room for a line such as "12:45 PM  Pick up the car".
    m_alarms->setMinimumSize(m_alarms->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 28,
                             m_alarms->fontMetrics().lineSpacing() * 8);
    auto* list = new QVBoxLayout;
    list->addWidget(alarmsLabel);
    list->addWidget(m_alarms, 1);

    // Each group's layout makes the group its buttons' parent, so AM and PM exclude each other
    // apart from the frequency buttons.
    auto* time = new QGroupBox(tr("Alarm &Time"), this);
    auto* clock = new QHBoxLayout;
    clock->addWidget(m_hour);
    clock->addWidget(new QLabel(QStringLiteral(":"), time));
    clock->addWidget(m_minute);
    clock->addStretch();
    auto* halfDay = new QHBoxLayout;
    halfDay->addWidget(m_am);
    halfDay->addWidget(m_pm);
    halfDay->addStretch();
    auto* timeLayout = new QVBoxLayout(time);
    timeLayout->addLayout(clock);
    timeLayout->addLayout(halfDay);
    timeLayout->addStretch();

    auto* frequency = new QGroupBox(tr("F&requency"), this);
    auto* frequencyLayout = new QGridLayout(frequency);
    const int rows = static_cast<int>((m_frequencies.size() + 1) / 2);
    for (std::size_t i = 0; i < m_frequencies.size(); ++i) {
        const int position = static_cast<int>(i);
        frequencyLayout->addWidget(m_frequencies[i], position % rows, position / rows);
    }

    auto* nameLabel = new QLabel(tr("Alarm &Name"), this);
    nameLabel->setBuddy(m_name);
    auto* groups = new QHBoxLayout;
    groups->addWidget(time);
    groups->addWidget(frequency, 1);
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_messageBox);
    flags->addWidget(m_visibleOnCalendar);
    flags->addStretch();
    auto* fields = new QVBoxLayout;
    fields->addWidget(nameLabel);
    fields->addWidget(m_name);
    fields->addLayout(groups);
    fields->addLayout(flags);
    fields->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->addSpacing(alarmsLabel->sizeHint().height()); // level with the list and the name
    buttons->addWidget(m_add);
    buttons->addWidget(deleteButton);
    buttons->addWidget(m_apply);
    buttons->addStretch();
    buttons->addWidget(done);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

void AlarmDialogView::forwardUserActions(QPushButton* deleteButton, QPushButton* done)
{
    // Only the user's own edits and clicks are forwarded (textEdited, clicked): render() sets
    // the same controls without these signals.
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_logic.setName(typedName(text));
        render();
    });
    connect(m_hour, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_logic.setHour(text.toStdString());
        render();
    });
    connect(m_minute, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_logic.setMinute(text.toStdString());
        render();
    });
    connect(m_am, &QRadioButton::clicked, this, [this] {
        m_logic.setPm(false);
        render();
    });
    connect(m_pm, &QRadioButton::clicked, this, [this] {
        m_logic.setPm(true);
        render();
    });
    for (std::size_t i = 0; i < m_frequencies.size(); ++i) {
        connect(m_frequencies[i], &QRadioButton::clicked, this, [this, i] {
            m_logic.setFrequencyButton(i);
            render();
        });
    }
    connect(m_messageBox, &QCheckBox::clicked, this, [this](bool on) {
        m_logic.setMessageBox(on);
        render();
    });
    connect(m_visibleOnCalendar, &QCheckBox::clicked, this, [this](bool on) {
        m_logic.setVisibleOnCalendar(on);
        render();
    });
    connect(m_alarms, &QListWidget::itemSelectionChanged, this, &AlarmDialogView::pickedLine);
    connect(m_add, &QPushButton::clicked, this, [this] {
        m_logic.Add();
        render();
        focusName(); // ready for the next alarm, or for a name where an empty one was refused
    });
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        m_logic.Delete();
        render();
    });
    connect(m_apply, &QPushButton::clicked, this, [this] {
        m_logic.Apply();
        render();
    });
    connect(done, &QPushButton::clicked, this, &AlarmDialogView::accept);
}

void AlarmDialogView::pickedLine()
{
    const QList<QListWidgetItem*> picked = m_alarms->selectedItems();
    if (picked.isEmpty()) {
        m_logic.Select(std::nullopt);
    } else {
        m_logic.Select(static_cast<std::size_t>(m_alarms->row(picked.first())));
    }
    render();
}

void AlarmDialogView::focusName()
{
    m_name->setFocus(Qt::OtherFocusReason);
    m_name->selectAll();
}

void AlarmDialogView::render()
{
    renderList();
    if (m_shownRevision != m_logic.revision()) {
        // Only new values from the logic: text the user is typing stays as typed.
        m_shownRevision = m_logic.revision();
        m_name->setText(shownName(m_logic.name()));
        m_hour->setText(QString::fromStdString(m_logic.hour()));
        m_minute->setText(QString::fromStdString(m_logic.minute()));
    }
    renderFields();
    const bool applies = m_logic.defaultButton() == CAlarmDlg::DefaultButton::Apply;
    // Clear the old default first: setting one takes the mark from every other button.
    (applies ? m_add : m_apply)->setDefault(false);
    (applies ? m_apply : m_add)->setDefault(true);
}

void AlarmDialogView::renderList()
{
    const QSignalBlocker quiet(m_alarms);
    if (m_shownLines != m_logic.lines()) {
        m_shownLines = m_logic.lines();
        m_alarms->clear();
        for (const std::string& line : m_shownLines) {
            m_alarms->addItem(shownName(line));
        }
    }
    const std::optional<std::size_t> selection = m_logic.selection();
    if (!selection || *selection >= m_shownLines.size()) {
        m_alarms->clearSelection();
        return;
    }
    m_alarms->setCurrentRow(static_cast<int>(*selection), QItemSelectionModel::ClearAndSelect);
    m_alarms->scrollToItem(m_alarms->currentItem());
}

void AlarmDialogView::renderFields()
{
    const bool pm = m_logic.pm();
    m_am->setChecked(!pm);
    m_pm->setChecked(pm);
    m_am->setVisible(m_logic.showsAmPm());
    m_pm->setVisible(m_logic.showsAmPm());
    const std::size_t frequency = m_logic.frequencyButton();
    assert(frequency < m_frequencies.size() && "the logic names one of the frequency buttons");
    if (frequency < m_frequencies.size()) {
        m_frequencies[frequency]->setChecked(true);
    }
    m_messageBox->setChecked(m_logic.messageBox());
    m_visibleOnCalendar->setChecked(m_logic.visibleOnCalendar());
}

} // namespace daylark
