#include "ui/combo.h"

#include "employees/referencelists.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// An entry is a line of the lists file: Windows-1252, and not a section line.
class EntryValidator : public Cp1252Validator
{
public:
    using Cp1252Validator::Cp1252Validator;
    State validate(QString &input, int &pos) const override
    {
        return ReferenceLists::isSectionLine(input) ? Invalid : Cp1252Validator::validate(input, pos);
    }
};

} // namespace

TCombo::TCombo(ListEditor::Kind kind, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(ListEditor::caption(kind));
    setObjectName(QStringLiteral("TCombo"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->installEventFilter(this);
    // A click, or a move of the highlight with the keyboard, chooses the entry: both select it.
    // Tabbing into the list only makes its first entry current, without selecting it, and
    // chooses nothing, so that a name typed afterwards is appended.
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { choisir(m_list->row(item)); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem *> selected = m_list->selectedItems();
        if (!m_refreshing && !selected.isEmpty())
            choisir(m_list->row(selected.first()));
    });

    auto *label = new QLabel(ListEditor::label(kind), this);
    m_input = new QLineEdit(this);
    m_input->setObjectName(QStringLiteral("input"));
    m_input->setValidator(new EntryValidator(m_input));
    m_input->installEventFilter(this);
    label->setBuddy(m_input);
    connect(m_input, &QLineEdit::textEdited, this, [this](const QString &text) { m_model.setInput(text); });

    m_valider = new QToolButton(this);
    m_valider->setObjectName(QStringLiteral("valider"));
    m_valider->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    m_valider->setToolTip(QStringLiteral("Valider"));
    connect(m_valider, &QToolButton::clicked, this, &TCombo::valider);

    auto *close = closeButton(this, CloseWith::Accept);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_input, 1);
    row->addWidget(m_valider);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(row);
    layout->addLayout(buttons);
    resize(380, 360);
}

void TCombo::Init(const QStringList &entries)
{
    m_model.Init(entries);
    refresh();
}

void TCombo::valider()
{
    m_model.setInput(m_input->text());
    m_model.valider();
    refresh();
    m_input->setFocus();
}

void TCombo::choisir(int row)
{
    m_model.choisir(row);
    m_input->setText(m_model.input());
}

void TCombo::refresh()
{
    m_refreshing = true;
    m_list->clear();
    m_list->addItems(m_model.entries());
    if (m_model.selected() >= 0)
        m_list->setCurrentRow(m_model.selected());
    else
        m_list->clearSelection();
    m_input->setText(m_model.input());
    m_refreshing = false;
}

bool TCombo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_input && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            valider();
            return true;
        }
        if (watched == m_list && key->key() == Qt::Key_Delete) {
            if (m_model.supprimer())
                refresh();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCombo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_input->setFocus();
}

QStringList TCombo::edit(ListEditor::Kind kind, const QStringList &entries, QWidget *parent)
{
    TCombo editor(kind, parent);
    editor.Init(entries);
    editor.exec();
    return editor.Result();
}
