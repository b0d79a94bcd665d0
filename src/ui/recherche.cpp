#include "ui/recherche.h"

#include "ui/widgets.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSaisie::TSaisie(const QString &caption, const QString &label, KeyFilter filter, QWidget *parent)
    : QDialog(parent)
    , m_filter(std::move(filter))
{
    setWindowTitle(caption);
    auto *text = new QLabel(label, this);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("field"));
    m_field->setValidator(new Cp1252Validator(m_field));
    m_field->setMinimumWidth(m_field->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
    m_field->installEventFilter(this);
    text->setBuddy(m_field);

    const OkCancel buttons = okCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *row = new QHBoxLayout;
    row->addWidget(text);
    row->addWidget(m_field, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons.row);
}

void TSaisie::Init(const QString &text)
{
    m_field->setText(text);
    m_field->selectAll();
}

QString TSaisie::Result() const
{
    return result() == QDialog::Accepted ? m_field->text() : QString();
}

bool TSaisie::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QString t = key->text();
        // Shortcuts (copy, paste...) and keys without a printable character go through.
        if (t.size() == 1 && t[0].category() != QChar::Other_Control
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && m_filter && !m_filter(t[0]))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSaisie::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_field->setFocus();
}

TRecherche::TRecherche(SearchKind kind, QWidget *parent)
    : TSaisie(searchCaption(kind), searchLabel(kind),
              [kind](QChar c) { return acceptsSearchKey(kind, c); }, parent)
    , m_kind(kind)
{
    setObjectName(QStringLiteral("TRecherche"));
}

bool TRecherche::ask(SearchKind kind, QString &text, QWidget *parent)
{
    TRecherche dialog(kind, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    text = dialog.Result();
    return ok;
}

TFcp::TFcp(QWidget *parent)
    : TSaisie(QStringLiteral("Code postal"), QStringLiteral("Code postal"), acceptsPostcodeKey, parent)
{
    setObjectName(QStringLiteral("TFcp"));
}

bool TFcp::ask(QString &value, QWidget *parent)
{
    TFcp dialog(parent);
    dialog.Init(value);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.Result();
    return true;
}

TVille::TVille(QWidget *parent)
    : TSaisie(QStringLiteral("Ville"), QStringLiteral("Ville"), nullptr, parent)
{
    setObjectName(QStringLiteral("TVille"));
}

bool TVille::ask(QString &value, QWidget *parent)
{
    TVille dialog(parent);
    dialog.Init(value);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.Result();
    return true;
}
