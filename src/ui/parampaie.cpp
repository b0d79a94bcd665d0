#include "ui/parampaie.h"

#include "payroll/parameters.h"
#include "ui/qtdialogs.h"
#include "ui/widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TParamPaie::TParamPaie(PayrollParametersForm &form, QWidget *parent, Dialogs *dialogs)
    : QDialog(parent)
    , m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>(this, QStringLiteral("Paramètres de la paie")))
    , m_dialogs(dialogs ? dialogs : m_ownDialogs.get())
    , m_form(form)
{
    using F = PayrollParametersForm;
    setWindowTitle(QStringLiteral("Paramètres de la paie"));
    auto *filter = new NumericKeyFilter(this);
    connect(filter, &NumericKeyFilter::enterPressed, this, &TParamPaie::confirm);

    for (int i = 0; i < F::kFieldCount; ++i) {
        m_fields[i] = new QLineEdit(form.text(i), this);
        m_fields[i]->setValidator(new NumericValidator(m_fields[i]));
        m_fields[i]->setMaximumWidth(110);
        m_fields[i]->installEventFilter(filter);
    }
    m_decimals = new QSpinBox(this);
    m_decimals->setRange(0, 3);
    m_decimals->setValue(form.decimalPlaces());

    auto row = [&](QGridLayout *grid, int r, int field) {
        auto *label = new QLabel(F::label(field), this);
        label->setBuddy(m_fields[field]);
        grid->addWidget(label, r, 0);
        grid->addWidget(m_fields[field], r, 1);
        grid->addWidget(new QLabel(F::unit(field), this), r, 2);
    };
    auto *grid = new QGridLayout;
    int r = 0;
    for (int f : {F::Plafond, F::Hs25, F::Hs50, F::Hs100, F::BaseCsg, F::CpInclus, F::Precarite})
        row(grid, r++, f);
    auto *decLabel = new QLabel(QStringLiteral("Nb décimales"), this);
    decLabel->setBuddy(m_decimals);
    grid->addWidget(decLabel, r, 0);
    grid->addWidget(m_decimals, r, 1);

    auto *leave = new QGroupBox(QStringLiteral("Congés payés"), this);
    auto *leaveGrid = new QGridLayout(leave);
    row(leaveGrid, 0, F::HeuresDues);
    row(leaveGrid, 1, F::SurBaseDe);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    auto *cancel = new QPushButton(QStringLiteral("Annuler"), this);
    // Enter in "Nb décimales" confirms too (the number fields confirm through their filter).
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TParamPaie::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(leave);
    layout->addLayout(buttons);

    // Tab order follows the layout from top to bottom.
    QWidget *order[] = {m_fields[F::Plafond], m_fields[F::Hs25], m_fields[F::Hs50], m_fields[F::Hs100],
                        m_fields[F::BaseCsg], m_fields[F::CpInclus], m_fields[F::Precarite], m_decimals,
                        m_fields[F::HeuresDues], m_fields[F::SurBaseDe], ok, cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_fields[F::Plafond]->setFocus();
}

TParamPaie::~TParamPaie() = default;

void TParamPaie::confirm()
{
    for (int i = 0; i < PayrollParametersForm::kFieldCount; ++i)
        m_form.setText(i, m_fields[i]->text());
    m_form.setDecimalPlaces(m_decimals->value());
    const int unreadable = m_form.unreadableField();
    if (unreadable >= 0) {
        m_dialogs->warn(m_form.refusal(unreadable));
        m_fields[unreadable]->setFocus();
        m_fields[unreadable]->selectAll();
        return;
    }
    accept();
}
