#include "ui/societe.h"

#include "ui/widgets.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSociete::TSociete(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Société"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Lignes constituant l'en-tête de la société"), this));
    for (auto *&f : m_fields) {
        f = new QLineEdit(this);
        f->setValidator(new Cp1252Validator(f));
        f->setMinimumWidth(360);
        layout->addWidget(f);
    }
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TSociete::Init(const QStringList &lines)
{
    for (int i = 0; i < 7; ++i)
        m_fields[i]->setText(i < lines.size() ? lines[i] : QString());
}

void TSociete::Result(QStringList &lines) const
{
    lines.clear();
    for (auto *f : m_fields)
        lines << f->text();
    if (result() != QDialog::Accepted)
        lines[0].clear();
}
