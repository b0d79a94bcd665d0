#include "ui/trier.h"

#include "ui/widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TTri::TTri(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Trier"));
    setObjectName(QStringLiteral("TTri"));

    auto *group = new QGroupBox(QStringLiteral("Trier par"), this);
    auto *keys = new QVBoxLayout(group);
    const char *names[] = {"nom", "codePostal", "ville"};
    const QString captions[] = {QStringLiteral("Nom"), QStringLiteral("Code postal"), QStringLiteral("Ville")};
    for (int i = 0; i < 3; ++i) {
        m_keys[i] = new QRadioButton(captions[i], group);
        m_keys[i]->setObjectName(QLatin1String(names[i]));
        keys->addWidget(m_keys[i]);
    }
    m_keys[0]->setChecked(true);

    const OkCancel buttons = okCancelRow(this, QStringLiteral("Annuler"));
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons.row);
}

int TTri::Result() const
{
    if (result() != QDialog::Accepted)
        return -1;
    for (int i = 0; i < 3; ++i)
        if (m_keys[i]->isChecked())
            return i;
    return -1;
}

int TTri::ask(QWidget *parent)
{
    TTri dialog(parent);
    dialog.exec();
    return dialog.Result();
}
