#include "ui/mpage.h"

#include "ui/widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QGroupBox *radioGroup(QWidget *parent, const QString &title, const QString &first, const QString &second,
                      QRadioButton *(&buttons)[2])
{
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    int id = 0;
    for (const QString &caption : {first, second}) {
        buttons[id] = new QRadioButton(caption, box);
        group->addButton(buttons[id], id);
        layout->addWidget(buttons[id]);
        ++id;
    }
    return box;
}

} // namespace

TMPage::TMPage(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Mise en page"));
    auto *layout = new QVBoxLayout(this);
    auto *groups = new QHBoxLayout;
    groups->addWidget(radioGroup(this, QStringLiteral("Type de papier"), QStringLiteral("Papier blanc"),
                                 QStringLiteral("Papier à en-tête"), m_paper));
    groups->addWidget(radioGroup(this, QStringLiteral("Orientation enveloppe"), QStringLiteral("Portrait"),
                                 QStringLiteral("Paysage"), m_orientation));
    layout->addLayout(groups);
    m_guide = new QCheckBox(QStringLiteral("Guide enveloppe à droite"), this);
    layout->addWidget(m_guide);
    const OkCancel buttons = okCancelRow(this);
    layout->addLayout(buttons.row);

    for (int i = 0; i < 2; ++i) {
        connect(m_paper[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                m_model.setPaperType(i);
        });
        connect(m_orientation[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                m_model.setEnvelopeOrientation(i);
        });
    }
    connect(m_guide, &QCheckBox::toggled, this, [this](bool on) { m_model.setGuide(on); });
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);

    display(m_model);
    // A fixed dialog border: the window keeps the size of its content.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TMPage::display(const PageSetupModel &model)
{
    m_model = model;
    m_paper[model.paperType()]->setChecked(true);
    m_orientation[model.envelopeOrientation()]->setChecked(true);
    m_guide->setChecked(model.guide());
}

void TMPage::Init(int paperType, int envelopeOrientation, bool guide)
{
    PageSetupModel model;
    model.Init(paperType, envelopeOrientation, guide);
    display(model);
}

void TMPage::Result(int &paperType, int &envelopeOrientation, bool &guide) const
{
    m_model.Result(result() == QDialog::Accepted, paperType, envelopeOrientation, guide);
}

bool TMPage::edit(PageSetupModel &model, QWidget *parent)
{
    TMPage dialog(parent);
    dialog.display(model);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    model = dialog.m_model;
    return true;
}
