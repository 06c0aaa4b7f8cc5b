#include "ui/lists/ListDialogView.h"

#include "records/CListDlg.h"
#include "ui/page/PageTextMapping.h"
#include "ui/platform/DialogButton.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace daylark {

ListDialogView::ListDialogView(CListDlg& logic, QWidget* parent)
    : QDialog(parent)
    , m_logic(logic)
{
    setObjectName("listDialog");
    setWindowTitle(QString::fromStdString(std::string(CListDlg::kTitle)));

    m_names = new QListWidget(this);
    m_names->setObjectName("names");
    m_names->setSelectionMode(QAbstractItemView::SingleSelection);
    m_names->setSortingEnabled(false); // the logic gives the order
    m_name = new QLineEdit(this);
    m_name->setObjectName("name");
    m_add = dialogButton(tr("&Add"), "addButton", this);
    m_add->setDefault(true);
    m_delete = dialogButton(tr("&Delete"), "deleteButton", this);
    m_contents = new QPlainTextEdit(this);
    m_contents->setObjectName("contents");
    m_contents->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_ok = dialogButton(tr("&OK"), "okButton", this);

    auto* left = new QVBoxLayout;
    auto* nameLabel = new QLabel(tr("List &Name"), this);
    nameLabel->setBuddy(m_names);
    left->addWidget(nameLabel);
    left->addWidget(m_names, 1);
    left->addWidget(m_name);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    auto* contentsLabel = new QLabel(tr("List &Contents"), this);
    contentsLabel->setBuddy(m_contents);
    right->addWidget(contentsLabel);
    right->addWidget(m_contents, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);
    resize(560, 380);

    connect(m_names, &QListWidget::itemSelectionChanged, this, &ListDialogView::pickedEntry);
    connect(m_name, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_logic.setName(pageTextFromDisplay(text)); });
    connect(m_contents, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_rendering) {
            m_logic.EditContents(pageTextFromDisplay(m_contents->toPlainText()));
        }
    });
    connect(m_add, &QPushButton::clicked, this, [this] {
        m_logic.Add();
        render();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_logic.Delete();
        render();
    });
    connect(m_ok, &QPushButton::clicked, this, &ListDialogView::accept);

    m_logic.Open();
    m_shownRevision = m_logic.contentsRevision() - 1; // the first render fills the box
    render();
    m_name->setFocus();
}

ListDialogView::~ListDialogView()
{
    m_logic.Cancel();
}

void ListDialogView::accept()
{
    if (!m_logic.Ok()) {
        render();
        return;
    }
    QDialog::accept();
}

void ListDialogView::reject()
{
    // Escape asks before it drops what was typed; Cancel there keeps the dialog open.
    if (!m_logic.Escape()) {
        render();
        return;
    }
    QDialog::reject();
}

void ListDialogView::closeEvent(QCloseEvent* event)
{
    // The close box works as OK. A dialog ended by OK or Escape has closed its logic already.
    if (m_logic.isOpen() && !m_logic.Ok()) {
        render();
        event->ignore();
        return;
    }
    event->accept();
    QDialog::accept();
}

void ListDialogView::pickedEntry()
{
    if (m_rendering) {
        return;
    }
    const QList<QListWidgetItem*> picked = m_names->selectedItems();
    if (!picked.isEmpty()) {
        const int row = m_names->row(picked.first());
        const auto selection = m_logic.selection();
        if (row >= 0 && (!selection || *selection != static_cast<std::size_t>(row))) {
            m_logic.SelectEntry(static_cast<std::size_t>(row));
        }
    }
    render(); // a deselected entry is selected again
}

void ListDialogView::render()
{
    m_rendering = true;
    if (m_shownNames != m_logic.names()) {
        m_shownNames = m_logic.names();
        m_names->clear();
        for (const std::string& name : m_shownNames) {
            m_names->addItem(displayTextFromPage(name));
        }
    }
    const auto selection = m_logic.selection();
    if (selection) {
        m_names->setCurrentRow(static_cast<int>(*selection), QItemSelectionModel::ClearAndSelect);
        m_names->scrollToItem(m_names->currentItem());
    } else {
        m_names->clearSelection();
    }
    const QString name = displayTextFromPage(m_logic.name());
    if (m_name->text() != name) {
        m_name->setText(name);
    }
    if (m_shownRevision != m_logic.contentsRevision()) {
        m_shownRevision = m_logic.contentsRevision();
        m_contents->setPlainText(displayTextFromPage(m_logic.contents()));
    }
    m_rendering = false;
}

} // namespace daylark
